// A document as compact JSON text, written straight into one string.
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

namespace {

// "00" to "99", two characters a number.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> t{};
  for (int k = 0; k < 100; ++k) {
    t[2 * k] = static_cast<char>('0' + k / 10);
    t[2 * k + 1] = static_cast<char>('0' + k % 10);
  }
  return t;
}();

// The decimal digits of v written to end just before `end`; returns their start.
char* digits_before(std::uint64_t v, char* end) {
  for (; v >= 100; v /= 100) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[2 * (v % 100)], 2);
  }
  if (v < 10) {
    *--end = static_cast<char>('0' + v);
    return end;
  }
  end -= 2;
  std::memcpy(end, &kDigitPairs[2 * v], 2);
  return end;
}

// The JSON text of v (finite): the shortest text that reads back to v, laid
// out as std::to_chars lays it out (plain or exponent notation, whichever is
// shorter, plain on a tie, a whole number beyond 2^53 exactly), with ".0"
// after a whole number. The digits are Dragonbox's (libfmt), found several
// times faster than by std::to_chars itself. out holds kNumberTextRoom
// characters.
char* number_text(double v, char* out) {
  char* const start = out;
  if (std::signbit(v)) *out++ = '-';
  if (v == 0) return std::copy_n("0.0", 3, out);
  const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(v));
  char buffer[24];
  const char* const digits = digits_before(decimal.significand, buffer + sizeof buffer);
  const int n = static_cast<int>(buffer + sizeof buffer - digits);
  const int e = decimal.exponent;  // v = digits x 10^e
  const int power = e + n - 1;     // the exponent of the exponent notation
  const int exponent_text = n + (n > 1) + (std::abs(power) >= 100 ? 5 : 4);  // e+XX or e+XXX
  const int plain_text = e >= 0 ? n + e : n + e > 0 ? n + 1 : 2 - e;
  if (plain_text <= exponent_text) {
    if (e >= 0) {
      // A whole number beyond 2^53 is written as its exact value, not as its
      // shortest digits and zeros.
      if (e > 0 && std::fabs(v) >= 0x1p53)
        out = std::to_chars(start, start + 32, v).ptr;
      else
        out = std::fill_n(std::copy_n(digits, n, out), e, '0');
      return std::copy_n(".0", 2, out);
    }
    if (n + e > 0) {
      out = std::copy_n(digits, n + e, out);
      *out++ = '.';
      return std::copy_n(digits + n + e, -e, out);
    }
    out = std::fill_n(std::copy_n("0.", 2, out), -e - n, '0');
    return std::copy_n(digits, n, out);
  }
  *out++ = digits[0];
  if (n > 1) {
    *out++ = '.';
    out = std::copy_n(digits + 1, n - 1, out);
  }
  *out++ = 'e';
  *out++ = power < 0 ? '-' : '+';
  const int magnitude = std::abs(power);
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  return std::copy_n(&kDigitPairs[2 * (magnitude % 100)], 2, out);
}

}  // namespace

char* put_json_number(double v, char* out) {
  return std::isfinite(v) ? number_text(v, out) : std::copy_n("null", 4, out);
}

void put_json_number(double v, std::string& out) {
  char buf[kNumberTextRoom];
  out.append(buf, put_json_number(v, buf));
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
