// A document as compact JSON text, written straight into one string.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

void put_json_string(std::string_view v, std::string& out) {
  out += '"';
  std::size_t run = 0;  // start of the characters not yet written
  for (std::size_t k = 0; k < v.size(); ++k) {
    const auto u = static_cast<unsigned char>(v[k]);
    if (u >= 0x20 && u != '"' && u != '\\') continue;  // UTF-8 passes through as it is
    out.append(v.substr(run, k - run));
    run = k + 1;
    switch (u) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default: {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", u);
        out += buf;
      }
    }
  }
  out.append(v.substr(run));
  out += '"';
}

void put_json_number(double v, std::string& out) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  out.append(buf, end);
  if (std::find_if(buf, end, [](char c) { return c == '.' || c == 'e'; }) == end) out += ".0";
}

namespace {

template <typename T>
void put_integer(T v, std::string& out) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

void put(const json& j, std::string& out) {
  switch (j.type()) {
    case json::value_t::object: {
      out += '{';
      bool first = true;
      for (const auto& [key, value] : j.items()) {
        if (!first) out += ',';
        first = false;
        put_json_string(key, out);
        out += ':';
        put(value, out);
      }
      out += '}';
      return;
    }
    case json::value_t::array: {
      out += '[';
      bool first = true;
      for (const json& value : j) {
        if (!first) out += ',';
        first = false;
        put(value, out);
      }
      out += ']';
      return;
    }
    case json::value_t::string:
      put_json_string(j.get_ref<const std::string&>(), out);
      return;
    case json::value_t::boolean:
      out += j.get<bool>() ? "true" : "false";
      return;
    case json::value_t::number_integer:
      put_integer(j.get<std::int64_t>(), out);
      return;
    case json::value_t::number_unsigned:
      put_integer(j.get<std::uint64_t>(), out);
      return;
    case json::value_t::number_float:
      put_json_number(j.get<double>(), out);
      return;
    default:  // null, and the kinds a well's document never holds
      out += "null";
      return;
  }
}

}  // namespace

std::string compact_text(const json& doc) {
  std::string out;
  out.reserve(8192);
  put(doc, out);
  return out;
}

}  // namespace dlv::wellfile
