/* A stand-in for libPTRAV.so with simple, known rules, found ahead of the
 * real one on the library path. It exports the four traverse entry points
 * under their plain names and keeps a log of every call for the test:
 *   setup_deep(depth)     remembers the depth;
 *   setup_shallow(depth)  writes a segment count of 2 and, at offset 3328,
 *                         the deep depth minus this one;
 *   traverse              start pressure - 100 when the layer lies deeper
 *                         than the reference (direction flag 1), + 100
 *                         otherwise; 14.7 when that is not above 0;
 *   injection_change      depth / 100, and the status it found plus 1. */
#include <stdint.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

typedef struct {
  int ordinal;
  double args[12];
} FakeCall;

static FakeCall calls[4096];
static int call_count = 0;
static double deep_depth = 0.0;

static double f64(const void* record, size_t byte) {
  double v;
  memcpy(&v, (const unsigned char*)record + byte, sizeof v);
  return v;
}
static int32_t i32(const void* record, size_t byte) {
  int32_t v;
  memcpy(&v, (const unsigned char*)record + byte, sizeof v);
  return v;
}
static FakeCall* log_call(int ordinal) {
  static FakeCall overflow;
  if (call_count >= (int)(sizeof calls / sizeof calls[0])) return &overflow;
  FakeCall* c = &calls[call_count++];
  memset(c, 0, sizeof *c);
  c->ordinal = ordinal;
  return c;
}

EXPORT const FakeCall* fake_ptrav_calls(int* count) {
  *count = call_count;
  return calls;
}
EXPORT void fake_ptrav_reset(void) { call_count = 0; }

EXPORT void ptrav_setup_deep(void* record, double depth) {
  (void)record;
  log_call(15)->args[0] = depth;
  deep_depth = depth;
}

EXPORT void ptrav_setup_shallow(void* record, double depth) {
  log_call(16)->args[0] = depth;
  const int32_t segments = 2;
  const double span = deep_depth - depth;
  memcpy((unsigned char*)record + 10952, &segments, sizeof segments);
  memcpy((unsigned char*)record + 3328, &span, sizeof span);
}

EXPORT void ptrav_traverse(void* record, double* result, void* work_a, void* work_b, void* work_c,
                           int32_t options, char* message) {
  FakeCall* c = log_call(1);
  const int32_t direction = i32(record, 10964);
  c->args[0] = f64(record, 104); /* start pressure */
  c->args[1] = f64(record, 0);   /* first rate */
  c->args[2] = f64(record, 16);  /* water cut, percent */
  c->args[3] = f64(record, 72);  /* gas/oil ratio */
  c->args[4] = direction;
  (void)work_a, (void)work_b, (void)work_c, (void)options, (void)message;
  const double p = c->args[0] + (direction == 1 ? -100.0 : 100.0);
  *result = p > 0.0 ? p : 14.7;
}

EXPORT void ptrav_injection_change(void* record, double top_depth, double bottom_depth,
                                   double inside_diameter, double water_sg, double rankine_offset,
                                   double water_viscosity, int32_t phase, int32_t direction,
                                   double pressure, double* result, int32_t* status) {
  FakeCall* c = log_call(6);
  const double args[11] = {f64(record, 0), top_depth,      bottom_depth,    inside_diameter,
                           water_sg,       rankine_offset, water_viscosity, phase,
                           direction,      pressure,       *status};
  memcpy(c->args, args, sizeof args);
  *status += 1;
  *result = bottom_depth / 100.0;
}
