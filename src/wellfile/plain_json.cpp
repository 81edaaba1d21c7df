// Well texts read through simdjson, several times faster than nlohmann's
// lexer, for the texts on which both parsers give the same tree. nlohmann's
// parser stays the reference: a text outside that kind, one simdjson refuses
// and one that gives a key twice go to it, and it says what is wrong.
#include <simdjson.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// The characters plain_text looks at more closely.
constexpr std::array<bool, 256> kUnplain = [] {
  std::array<bool, 256> t{};
  for (std::size_t c = 0x80; c < t.size(); ++c) t[c] = true;
  t['\\'] = t['\0'] = t['-'] = true;
  return t;
}();

// Text whose every token both parsers read alike: plain ASCII (no byte-order
// mark, no UTF-8 to validate), no escapes and no NUL. Also kept out: an
// integer minus zero, which nlohmann holds as a signed integer and simdjson
// as a non-negative one.
bool plain_text(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!kUnplain[c]) continue;
    if (c != '-') return false;
    if (i + 1 < text.size() && text[i + 1] == '0') {
      const char next = i + 2 < text.size() ? text[i + 2] : ' ';
      if (next != '.' && next != 'e' && next != 'E') return false;
    }
  }
  return true;
}

// The nlohmann value of a simdjson element, with nlohmann's number kinds: a
// non-negative integer is unsigned, a negative one signed. False on a key
// given twice in one object. The parser's nesting limit bounds the recursion.
bool build(simdjson::dom::element e, json& out) {
  using Type = simdjson::dom::element_type;
  switch (e.type()) {
    case Type::ARRAY: {
      out = json::array();
      json::array_t& a = out.get_ref<json::array_t&>();
      const simdjson::dom::array items = e.get_array().value_unsafe();
      a.reserve(items.size());
      for (simdjson::dom::element item : items)
        if (!build(item, a.emplace_back())) return false;
      return true;
    }
    case Type::OBJECT: {
      out = json::object();
      json::object_t& o = out.get_ref<json::object_t&>();
      const simdjson::dom::object members = e.get_object().value_unsafe();
      o.reserve(members.size());
      for (simdjson::dom::key_value_pair m : members) {
        for (const auto& [k, v] : o)
          if (k == m.key) return false;
        if (!build(m.value, o.emplace_back(std::string(m.key), json()).second)) return false;
      }
      return true;
    }
    case Type::INT64: {
      const std::int64_t v = e.get_int64().value_unsafe();
      if (v >= 0)
        out = static_cast<json::number_unsigned_t>(v);
      else
        out = static_cast<json::number_integer_t>(v);
      return true;
    }
    case Type::UINT64:
      out = static_cast<json::number_unsigned_t>(e.get_uint64().value_unsafe());
      return true;
    case Type::DOUBLE:
      out = e.get_double().value_unsafe();
      return true;
    case Type::STRING:
      out = std::string(e.get_string().value_unsafe());
      return true;
    case Type::BOOL:
      out = e.get_bool().value_unsafe();
      return true;
    case Type::NULL_VALUE:
      out = nullptr;
      return true;
  }
  return false;
}

}  // namespace

bool read_plain_json(const std::string& text, std::size_t max_nesting, json& doc) {
  // simdjson takes memory for a whole text before reading it: a text of more
  // than a megabyte (no well file is that long) goes to nlohmann's parser,
  // which stops at its first fault.
  constexpr std::size_t kLongest = std::size_t{1} << 20;
  if (text.size() > kLongest || !plain_text(text)) return false;
  simdjson::dom::parser parser;
  simdjson::dom::element root;
  if (parser.allocate(text.size(), max_nesting) != simdjson::SUCCESS ||
      parser.parse(text.data(), text.size(), true).get(root) != simdjson::SUCCESS)
    return false;
  json parsed;
  if (!build(root, parsed)) return false;
  doc = std::move(parsed);
  return true;
}

}  // namespace dlv::wellfile
