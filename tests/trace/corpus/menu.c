/* A menu of actions through function pointers, recursion, sprintf, the
   joystick driver and character classes. */
#include <conio.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>
#include <nes.h>
#include <joystick.h>

typedef struct { const char* label; unsigned char (*action)(unsigned char); } item;
static unsigned char heal(unsigned char v) { return v + 10; }
static unsigned char hurt(unsigned char v) { return v > 5 ? v - 5 : 0; }
static unsigned char swap(unsigned char v) { return (v << 4) | (v >> 4); }
static unsigned char noop(unsigned char v) { return v; }
static const item items[] = {{"Heal", heal}, {"Hurt", hurt}, {"Swap", swap}, {"Wait", noop}};
static char buf[40];
static unsigned int fib(unsigned char n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); }
static const char* name_of(unsigned char k) {
  switch (k) {
    case 0: return "zero"; case 1: return "one"; case 2: return "two"; case 3: return "three";
    case 4: return "four"; case 5: return "five"; case 6: return "six"; case 7: return "seven";
    default: return "many";
  }
}
void main(void) {
  unsigned char hp = 50, sel = 0, i, pad;
  joy_install(joy_static_stddrv);
  srand(7);
  clrscr();
  for (i = 0; i < 4; ++i) { gotoxy(1, i + 1); cputs(items[i].label); }
  sprintf(buf, "fib %u %s", fib(10), name_of(rand() & 7));
  cputsxy(1, 8, buf);
  for (;;) {
    waitvsync();
    pad = joy_read(0);
    if (JOY_UP(pad) && sel > 0) --sel;
    if (JOY_DOWN(pad) && sel < 3) ++sel;
    if (JOY_BTN_1(pad)) hp = items[sel].action(hp);
    gotoxy(10, 1); cprintf("HP %3u", hp);
    strcpy(buf, items[sel].label);
    for (i = 0; buf[i]; ++i) buf[i] = toupper(buf[i]);
    cputsxy(10, 2, buf);
  }
}
