/* A small game loop in C: strings, tables of structures, a switch and
   calls through function pointers. */
#include <conio.h>
#include <nes.h>
#include <string.h>

struct enemy {
  unsigned char x, y, kind;
  const char* name;
};

static const struct enemy enemies[] = {
    {10, 20, 0, "slime"}, {40, 60, 1, "bat"}, {90, 30, 2, "ghost"}, {120, 100, 1, "bat"}};

static unsigned char score;

static void walk(struct enemy* e) { e->x += 1; }
static void fly(struct enemy* e) { e->y -= 2; }
static void haunt(struct enemy* e) { e->x ^= e->y; }

static void (*const moves[])(struct enemy*) = {walk, fly, haunt};

static unsigned char points(unsigned char kind) {
  switch (kind) {
    case 0: return 1;
    case 1: return 5;
    case 2: return 10;
    case 7: return 50;
    default: return 0;
  }
}

void main(void) {
  struct enemy live[4];
  unsigned char i, frame = 0;
  memcpy(live, enemies, sizeof live);
  clrscr();
  cputs("ENEMIES\r\n");
  for (i = 0; i < 4; ++i) {
    gotoxy(2, 2 + i);
    cputs(live[i].name);
  }
  for (;;) {
    waitvsync();
    for (i = 0; i < 4; ++i) {
      moves[live[i].kind](&live[i]);
      score += points(live[i].kind);
    }
    gotoxy(20, 1);
    cprintf("%3u %u", score, ++frame);
  }
}
