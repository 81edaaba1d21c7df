// A document as compact JSON text, written straight into one string.
#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
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

// The shortest text that reads back to v (finite), laid out as std::to_chars
// lays it out: plain or exponent notation, whichever is shorter, plain on a
// tie, and a whole number beyond 2^53 exactly. The digits are Dragonbox's
// (libfmt), found several times faster than by std::to_chars itself. out
// holds at least 32 characters.
char* shortest_text(double v, char* out) {
  char* const start = out;
  if (std::signbit(v)) *out++ = '-';
  if (v == 0) {
    *out++ = '0';
    return out;
  }
  const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(v));
  char digits[24];
  const int n = static_cast<int>(
      std::to_chars(digits, digits + sizeof digits, decimal.significand).ptr - digits);
  const int e = decimal.exponent;  // v = digits x 10^e
  const int power = e + n - 1;     // the exponent of the exponent notation
  const int exponent_text = n + (n > 1) + (std::abs(power) >= 100 ? 5 : 4);  // e+XX or e+XXX
  const int plain_text = e >= 0 ? n + e : n + e > 0 ? n + 1 : 2 - e;
  if (plain_text <= exponent_text) {
    // A whole number beyond 2^53 is written as its exact value, not as its
    // shortest digits and zeros.
    if (e > 0 && std::fabs(v) >= 0x1p53) return std::to_chars(start, start + 32, v).ptr;
    if (e >= 0) {
      out = std::copy(digits, digits + n, out);
      return std::fill_n(out, e, '0');
    }
    if (n + e > 0) {
      out = std::copy(digits, digits + n + e, out);
      *out++ = '.';
      return std::copy(digits + n + e, digits + n, out);
    }
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -e - n, '0');
    return std::copy(digits, digits + n, out);
  }
  *out++ = digits[0];
  if (n > 1) {
    *out++ = '.';
    out = std::copy(digits + 1, digits + n, out);
  }
  *out++ = 'e';
  *out++ = power < 0 ? '-' : '+';
  if (std::abs(power) < 10) *out++ = '0';
  return std::to_chars(out, out + 4, std::abs(power)).ptr;
}

}  // namespace

void put_json_number(double v, std::string& out) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char buf[40];
  char* const end = shortest_text(v, buf);
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
