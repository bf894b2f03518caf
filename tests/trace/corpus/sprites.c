/* Sprites moved by behaviours, without conio: the program writes the PPU
   itself, keeps its objects in structures with a behaviour pointer each,
   walks them with callbacks and starts from initialised data. */
#include <nes.h>
#include <string.h>

#define PPU_CTRL (*(volatile unsigned char*)0x2000)
#define PPU_MASK (*(volatile unsigned char*)0x2001)
#define PPU_ADDR (*(volatile unsigned char*)0x2006)
#define PPU_DATA (*(volatile unsigned char*)0x2007)

#pragma rodata-name(push, "NROM16")
const unsigned char ines[16] = {'N', 'E', 'S', 0x1A, 1, 1, 1, 0};
#pragma rodata-name(pop)

struct obj;
typedef void (*behaviour)(struct obj*);
struct obj {
  unsigned char x, y, tile;
  signed char dx, dy;
  behaviour step;
};

static void bounce(struct obj* o);
static void drift(struct obj* o);
static void blink(struct obj* o);

/* Initialised data: copied to RAM at start, changed as the game runs. */
static struct obj objs[5] = {{10, 10, 1, 1, 1, bounce},
                             {50, 80, 2, -1, 2, drift},
                             {90, 40, 3, 2, -1, bounce},
                             {120, 120, 4, 0, 0, blink},
                             {200, 30, 5, -2, 0, drift}};
static unsigned int ticks = 1000;
static const char title[] = "SPRITE PARK";
static const char* const messages[] = {"READY", "GO", "PAUSE", "OVER"};
static const unsigned char palette[8] = {0x0F, 0x30, 0x16, 0x27, 0x0F, 0x11, 0x21, 0x31};

static void bounce(struct obj* o) {
  o->x += o->dx;
  o->y += o->dy;
  if (o->x < 8 || o->x > 240) o->dx = -o->dx;
  if (o->y < 8 || o->y > 220) o->dy = -o->dy;
}
static void drift(struct obj* o) {
  o->x += o->dx;
  if ((ticks & 15) == 0) o->y += o->dy;
}
static void blink(struct obj* o) { o->tile ^= 0x80; }

/* Kept for a debug build: nothing calls it. */
unsigned char checksum(const unsigned char* p, unsigned char n) {
  unsigned char sum = 0;
  while (n--) sum = (sum << 1) + *p++ + (sum >> 7);
  return sum;
}
unsigned char (*debug_hook)(const unsigned char*, unsigned char) = 0;

static void each(behaviour f, unsigned char from, unsigned char to) {
  for (; from < to; ++from) f(&objs[from]);
}

static void put_text(unsigned int at, const char* s) {
  PPU_ADDR = at >> 8;
  PPU_ADDR = at & 0xFF;
  while (*s) PPU_DATA = *s++ - 0x20;
}

static unsigned char phase_of(unsigned int t) {
  switch ((t >> 6) & 7) {
    case 0: case 1: return 0;
    case 2: return 1;
    case 5: return 2;
    case 7: return 3;
    default: return 1;
  }
}

void main(void) {
  unsigned char shadow[64 * 4];
  unsigned char i, k;
  PPU_ADDR = 0x3F;
  PPU_ADDR = 0x00;
  for (i = 0; i < sizeof palette; ++i) PPU_DATA = palette[i];
  put_text(0x2042, title);
  memset(shadow, 0xF0, sizeof shadow);
  PPU_CTRL = 0x80;
  PPU_MASK = 0x1E;
  for (;;) {
    waitvsync();
    ++ticks;
    for (i = 0; i < 5; ++i) objs[i].step(&objs[i]);
    if ((ticks & 63) == 0) each(blink, 0, 5);
    for (i = 0, k = 0; i < 5; ++i, k += 4) {
      shadow[k] = objs[i].y;
      shadow[k + 1] = objs[i].tile;
      shadow[k + 2] = 0;
      shadow[k + 3] = objs[i].x;
    }
    put_text(0x2362, messages[phase_of(ticks)]);
    memcpy((void*)0x0200, shadow, sizeof shadow);
  }
}
