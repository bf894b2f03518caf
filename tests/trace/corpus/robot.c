/* A robot's program interpreted from bytecode: an int switch over many
   opcodes, a two-level table of handlers, recursion and a state machine
   whose states are functions returning the next one. */
#include <nes.h>
#include <stdlib.h>

typedef void* (*state_fn)(unsigned char input);
static void* idle(unsigned char input);
static void* walking(unsigned char input);
static void* turning(unsigned char input);

static int x, y, heading;
static unsigned char stack[16], sp;
static const unsigned char program[] = {1, 5, 2, 3, 1, 7, 9, 4, 12, 0, 15, 3, 20, 1, 0};

static void* idle(unsigned char input) { return input & 1 ? (void*)walking : (void*)idle; }
static void* walking(unsigned char input) {
  x += heading == 0 ? 1 : heading == 2 ? -1 : 0;
  y += heading == 1 ? 1 : heading == 3 ? -1 : 0;
  return input > 100 ? (void*)turning : (void*)walking;
}
static void* turning(unsigned char input) {
  heading = (heading + (input & 3)) & 3;
  return (void*)idle;
}

static void push(unsigned char v) { stack[sp++ & 15] = v; }
static unsigned char pop(void) { return stack[--sp & 15]; }
static void op_add(void) { push(pop() + pop()); }
static void op_sub(void) { push(pop() - pop()); }
static void op_dup(void) { unsigned char v = pop(); push(v); push(v); }
static void op_swap(void) { unsigned char a = pop(), b = pop(); push(a); push(b); }
static void (*const arith[2][2])(void) = {{op_add, op_sub}, {op_dup, op_swap}};

static unsigned int depth(unsigned char n) { return n == 0 ? 1 : 1 + depth(n - 1) + (n & 1); }

static int run(const unsigned char* pc) {
  int steps = 0;
  for (;;) {
    int opcode = *pc++;
    ++steps;
    switch (opcode) {
      case 0: return steps;
      case 1: push(*pc++); break;
      case 2: arith[0][0](); break;
      case 3: arith[0][1](); break;
      case 4: arith[1][0](); break;
      case 7: arith[1][1](); break;
      case 9: x = pop(); break;
      case 12: y = pop(); break;
      case 15: heading = pop() & 3; break;
      case 20: steps += depth(pop()); break;
      case 300: steps = -1; break;
      case 1000: return -2;
      default: steps += 100; break;
    }
  }
}

void main(void) {
  state_fn state = idle;
  unsigned char i = 0;
  int result = run(program);
  for (;;) {
    waitvsync();
    state = (state_fn)state((unsigned char)(rand() + result + i++));
    *(volatile unsigned char*)0x2005 = (unsigned char)x;
    *(volatile unsigned char*)0x2005 = (unsigned char)y;
  }
}
