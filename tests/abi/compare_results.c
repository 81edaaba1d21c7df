/* Compares the results that two runs of the ABI hosts printed.
 *
 *   compare_results <label> <expected> <actual> [key-prefix]
 *
 * Reads the "value <key> <number>" and "text <key> |...|" lines of both
 * files (only keys that start with key-prefix, when given). Both runs must
 * print the same keys; numbers agree when both are NaN, both the same
 * infinity, or within 1e-12 of the larger magnitude; texts agree byte for
 * byte. Prints one "check compare.<label>.<case> ok|FAIL" line per case (the
 * part of the key before the first '.') and exits 1 when any case differs. */
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kKeyLength = 128, kTextLength = 256 };

typedef struct {
  char key[kKeyLength];
  char text[kTextLength]; /* the number as printed, or the text */
  int is_text;
} Entry;

typedef struct {
  Entry* entries;
  size_t count;
} Results;

static int by_key(const void* a, const void* b) {
  return strcmp(((const Entry*)a)->key, ((const Entry*)b)->key);
}

static int read_results(const char* path, const char* prefix, Results* r) {
  FILE* f = fopen(path, "r");
  if (!f) {
    printf("check compare.open FAIL cannot read %s\n", path);
    return 0;
  }
  size_t capacity = 1024;
  r->entries = malloc(capacity * sizeof *r->entries);
  r->count = 0;
  char line[1024];
  while (r->entries && fgets(line, sizeof line, f)) {
    int is_text = strncmp(line, "text ", 5) == 0;
    if (!is_text && strncmp(line, "value ", 6) != 0) continue;
    char* key = line + (is_text ? 5 : 6);
    char* rest = strchr(key, ' ');
    if (!rest) continue;
    *rest++ = '\0';
    if (prefix && strncmp(key, prefix, strlen(prefix)) != 0) continue;
    rest[strcspn(rest, "\r\n")] = '\0';
    if (r->count == capacity) {
      capacity *= 2;
      Entry* grown = realloc(r->entries, capacity * sizeof *grown);
      if (!grown) break;
      r->entries = grown;
    }
    Entry* e = &r->entries[r->count++];
    snprintf(e->key, sizeof e->key, "%s", key);
    snprintf(e->text, sizeof e->text, "%s", rest);
    e->is_text = is_text;
  }
  fclose(f);
  if (r->entries) qsort(r->entries, r->count, sizeof *r->entries, by_key);
  return r->entries != NULL;
}

static double parse(const char* s) {
  if (strcmp(s, "nan") == 0 || strcmp(s, "NaN") == 0) return NAN;
  if (strcmp(s, "inf") == 0 || strcmp(s, "Infinity") == 0) return INFINITY;
  if (strcmp(s, "-inf") == 0 || strcmp(s, "-Infinity") == 0) return -INFINITY;
  return strtod(s, NULL);
}

/* 0 identical, 1 within the tolerance, 2 different. */
static int agreement(const char* a, const char* b, double* relative) {
  double x = parse(a), y = parse(b);
  *relative = 0.0;
  if (isnan(x) || isnan(y)) return isnan(x) && isnan(y) ? 0 : 2;
  if (x == y) return 0;
  if (isinf(x) || isinf(y)) return 2;
  *relative = fabs(x - y) / fmax(fabs(x), fabs(y));
  return *relative <= 1e-12 ? 1 : 2;
}

typedef struct {
  char name[kKeyLength];
  size_t values, identical, missing, different;
  double worst;
  char first_problem[512];
} Case;

static void case_name(const char* key, char* out) {
  size_t n = strcspn(key, ".");
  snprintf(out, kKeyLength, "%.*s", (int)n, key);
}

static Case* find_case(Case* cases, size_t* count, const char* key) {
  char name[kKeyLength];
  case_name(key, name);
  for (size_t i = 0; i < *count; ++i)
    if (strcmp(cases[i].name, name) == 0) return &cases[i];
  Case* c = &cases[(*count)++];
  memset(c, 0, sizeof *c);
  snprintf(c->name, sizeof c->name, "%s", name);
  return c;
}

static void problem(Case* c, const char* fmt, ...) {
  if (c->first_problem[0] != '\0') return;
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(c->first_problem, sizeof c->first_problem, fmt, ap);
  va_end(ap);
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: %s <label> <expected> <actual> [key-prefix]\n", argv[0]);
    return 2;
  }
  const char* prefix = argc > 4 ? argv[4] : NULL;
  Results a, b;
  if (!read_results(argv[2], prefix, &a) || !read_results(argv[3], prefix, &b)) return 1;
  if (a.count == 0) {
    printf("check compare.%s FAIL no results in %s\n", argv[1], argv[2]);
    return 1;
  }
  static Case cases[256];
  size_t case_count = 0;
  size_t i = 0, j = 0;
  while ((i < a.count || j < b.count) && case_count < 255) {
    int order = i == a.count ? 1 : j == b.count ? -1 : strcmp(a.entries[i].key, b.entries[j].key);
    if (order != 0) {
      const Entry* e = order < 0 ? &a.entries[i++] : &b.entries[j++];
      Case* c = find_case(cases, &case_count, e->key);
      ++c->missing;
      problem(c, "%s missing in the %s run", e->key, order < 0 ? "second" : "first");
      continue;
    }
    const Entry* x = &a.entries[i++];
    const Entry* y = &b.entries[j++];
    Case* c = find_case(cases, &case_count, x->key);
    ++c->values;
    if (x->is_text || y->is_text) {
      if (x->is_text == y->is_text && strcmp(x->text, y->text) == 0) {
        ++c->identical;
      } else {
        ++c->different;
        problem(c, "%s: %s vs %s", x->key, x->text, y->text);
      }
      continue;
    }
    double relative;
    int k = agreement(x->text, y->text, &relative);
    if (k == 0) ++c->identical;
    if (k == 2) {
      ++c->different;
      problem(c, "%s: %s vs %s", x->key, x->text, y->text);
    }
    if (relative > c->worst) c->worst = relative;
  }
  int failed = 0;
  for (size_t n = 0; n < case_count; ++n) {
    const Case* c = &cases[n];
    int ok = c->missing == 0 && c->different == 0;
    failed |= !ok;
    printf("check compare.%s.%s %s %zu values, %zu bit-identical, largest relative difference %.3g",
           argv[1], c->name, ok ? "ok" : "FAIL", c->values, c->identical, c->worst);
    if (!ok)
      printf("; %zu missing, %zu different; first: %s", c->missing, c->different, c->first_problem);
    printf("\n");
  }
  free(a.entries);
  free(b.entries);
  return failed;
}
