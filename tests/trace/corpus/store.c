/* A shop inventory in 16 KiB: structures with arrays in them, a sort with
   a comparison callback, a report built in a large local buffer, an
   initialised price table and an enum switch. */
#include <conio.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#pragma rodata-name(push, "NROM16")
const unsigned char ines[16] = {'N', 'E', 'S', 0x1A, 1, 1, 1, 0};
#pragma rodata-name(pop)

enum kind { SWORD, SHIELD, POTION, KEY, MAP, GEM };
struct item {
  char name[10];
  enum kind kind;
  unsigned char count;
  unsigned int price;
};

static struct item stock[6] = {
    {"Sword", SWORD, 1, 250}, {"Shield", SHIELD, 2, 180}, {"Potion", POTION, 9, 15},
    {"Key", KEY, 3, 40},      {"Map", MAP, 1, 75},        {"Gem", GEM, 4, 500},
};
static unsigned int discount[6] = {5, 10, 0, 0, 25, 50};

static const char* kind_name(enum kind k) {
  switch (k) {
    case SWORD: return "weapon";
    case SHIELD: return "armour";
    case POTION: return "drink";
    case KEY: case MAP: return "tool";
    case GEM: return "treasure";
  }
  return "?";
}

static int by_price(const void* a, const void* b) {
  const struct item* x = a;
  const struct item* y = b;
  return x->price < y->price ? -1 : x->price > y->price;
}
static int by_name(const void* a, const void* b) {
  return strcmp(((const struct item*)a)->name, ((const struct item*)b)->name);
}

static unsigned long value(const struct item* it, unsigned char i) {
  return (unsigned long)it->count * (it->price - it->price * discount[i] / 100);
}

void main(void) {
  char report[240];
  unsigned char i, len = 0;
  unsigned long sum = 0;
  clrscr();
  qsort(stock, 6, sizeof stock[0], by_price);
  for (i = 0; i < 6; ++i) {
    sum += value(&stock[i], i);
    len += sprintf(report + len, "%-7s%-9s%4u\n", stock[i].name, kind_name(stock[i].kind),
                   stock[i].price);
  }
  cputs(report);
  qsort(stock, 6, sizeof stock[0], by_name);
  gotoxy(0, 10);
  cprintf("first %s total %lu", stock[0].name, sum);
  for (;;) {
  }
}
