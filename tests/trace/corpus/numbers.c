/* Number crunching with the runtime library: long arithmetic, division,
   sorting and a lookup table. */
#include <conio.h>
#include <stdlib.h>
#include <string.h>

static const unsigned int squares[16] = {0, 1, 4, 9, 16, 25, 36, 49,
                                         64, 81, 100, 121, 144, 169, 196, 225};
static int values[12] = {42, -7, 300, 5, 19, -120, 64, 8, 1000, 3, 77, 0};

static int compare(const void* a, const void* b) {
  return *(const int*)a - *(const int*)b;
}

static unsigned long collatz(unsigned long n) {
  unsigned long steps = 0;
  while (n != 1) {
    n = (n & 1) ? 3 * n + 1 : n / 2;
    ++steps;
  }
  return steps;
}

void main(void) {
  unsigned char i;
  char text[12];
  qsort(values, 12, sizeof values[0], compare);
  for (i = 0; i < 12; ++i) {
    itoa(values[i], text, 10);
    cputs(text);
    cputc(' ');
  }
  for (i = 1; i < 16; ++i) {
    cprintf("%u:%lu ", squares[i], collatz(i * 7));
  }
  cputs(strchr("find the x here", 'x'));
  for (;;) {
  }
}
