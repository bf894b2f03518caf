/* A text adventure's engine: rooms with exits, a word lookup by binary
   search with a comparison callback, errors that unwind by longjmp, memory
   from the heap, tokens from strtok, and exit handlers. */
#include <conio.h>
#include <ctype.h>
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

struct room {
  const char* name;
  unsigned char exits[4];
  void (*enter)(void);
};

static jmp_buf failed;
static unsigned char here, gold, *visits;

static void enter_hall(void) { ++gold; }
static void enter_cave(void) { if (gold > 2) longjmp(failed, 2); }
static void enter_lake(void) { gold += visits[2]; }
static void enter_none(void) {}

static const struct room rooms[] = {
    {"hall", {1, 2, 255, 255}, enter_hall}, {"cave", {0, 255, 3, 255}, enter_cave},
    {"lake", {255, 0, 255, 3}, enter_lake}, {"tower", {255, 255, 1, 2}, enter_none},
};
static const char* const verbs[] = {"east", "go", "look", "north", "south", "take", "west"};

static int by_word(const void* key, const void* entry) {
  return strcmp((const char*)key, *(const char* const*)entry);
}

static signed char verb_of(const char* word) {
  const char* const* hit = bsearch(word, verbs, 7, sizeof verbs[0], by_word);
  return hit ? (signed char)(hit - verbs) : -1;
}

static void bye(void) { cputs("\r\nbye"); }

static void step(char* line) {
  char* word = strtok(line, " ");
  unsigned char dir = 255;
  while (word) {
    switch (verb_of(word)) {
      case 0: dir = 1; break;
      case 3: dir = 0; break;
      case 4: dir = 2; break;
      case 6: dir = 3; break;
      case 2: cputs(rooms[here].name); break;
      case -1: longjmp(failed, 1);
      default: break;
    }
    word = strtok(0, " ");
  }
  if (dir < 4 && rooms[here].exits[dir] != 255) {
    here = rooms[here].exits[dir];
    ++visits[here];
    rooms[here].enter();
  }
}

void main(void) {
  static const char* const input[] = {"go east", "look", "go south", "dance", "west"};
  char line[16];
  unsigned char n;
  int why;
  atexit(bye);
  visits = calloc(4, 1);
  clrscr();
  for (n = 0; n < 5; ++n) {
    strcpy(line, input[n]);
    if ((why = setjmp(failed)) != 0) {
      cprintf("%s?%d ", isalpha(line[0]) ? "what" : "", why);
      continue;
    }
    step(line);
    cprintf(" %u/%u", here, abs(gold - 3));
  }
  free(visits);
  exit(0);
}
