/* The game of life on a small torus: two-dimensional arrays, modulo
   arithmetic and a table of starting cells. */
#include <conio.h>
#include <string.h>
#define W 16
#define H 12
static unsigned char a[H][W], b[H][W];
static const unsigned char glider[5][2] = {{1,0},{2,1},{0,2},{1,2},{2,2}};
static unsigned char count(unsigned char y, unsigned char x) {
  unsigned char n = 0; signed char dy, dx;
  for (dy = -1; dy <= 1; ++dy) for (dx = -1; dx <= 1; ++dx)
    if ((dy || dx) && a[(y + dy + H) % H][(x + dx + W) % W]) ++n;
  return n;
}
void main(void) {
  unsigned char x, y, n, gen = 0;
  for (n = 0; n < 5; ++n) a[glider[n][1]][glider[n][0]] = 1;
  clrscr();
  for (;;) {
    for (y = 0; y < H; ++y) for (x = 0; x < W; ++x) {
      n = count(y, x);
      b[y][x] = n == 3 || (n == 2 && a[y][x]);
      cputcxy(x, y, b[y][x] ? '#' : '.');
    }
    memcpy(a, b, sizeof a);
    gotoxy(0, H + 1); cprintf("gen %u", ++gen);
  }
}
