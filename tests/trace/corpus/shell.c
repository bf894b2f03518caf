/* A command line over conio: a table of named commands with handlers, a
   character classifier built from a large switch, long arithmetic and
   handlers that nothing but the table reaches. */
#include <conio.h>
#include <stdlib.h>
#include <string.h>

typedef int (*handler)(int arg);
struct command {
  const char* name;
  handler run;
  unsigned char min, max;
};

static long total = 123456L;

static int cmd_add(int arg) { total += arg; return 0; }
static int cmd_mul(int arg) { total *= arg; return 0; }
static int cmd_div(int arg) { if (arg == 0) return 1; total /= arg; return 0; }
static int cmd_neg(int arg) { (void)arg; total = -total; return 0; }
static int cmd_show(int arg) {
  char text[16];
  ltoa(total, text, arg ? arg : 10);
  cputs(text);
  return 0;
}

static const struct command commands[] = {
    {"add", cmd_add, 1, 1}, {"mul", cmd_mul, 1, 1}, {"div", cmd_div, 1, 1},
    {"neg", cmd_neg, 0, 0}, {"show", cmd_show, 0, 1},
};
#define COUNT (sizeof commands / sizeof commands[0])

/* Left from an older version: no command names it any more. */
int cmd_reset(int arg) {
  total = arg;
  return 0;
}

static unsigned char classify(char c) {
  switch (c) {
    case ' ': case '\t': return 0;
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9': return 1;
    case '+': case '-': return 2;
    case '*': case '/': case '%': return 3;
    case '(': return 4;
    case ')': return 5;
    case ';': return 6;
    case '#': return 7;
    default: return c >= 'a' && c <= 'z' ? 8 : 9;
  }
}

static const char* const script[] = {"add 5", "mul 12", "show", "div 7", "neg", "show 16", "bad"};

static int run_line(const char* line) {
  char word[8];
  unsigned char i = 0, k;
  int arg = 0;
  while (classify(line[i]) == 8 && i < 7) { word[i] = line[i]; ++i; }
  word[i] = 0;
  while (classify(line[i]) == 0) ++i;
  while (classify(line[i]) == 1) arg = arg * 10 + (line[i++] - '0');
  for (k = 0; k < COUNT; ++k) {
    if (strcmp(word, commands[k].name) == 0) return commands[k].run(arg);
  }
  return -1;
}

void main(void) {
  unsigned char n;
  int status;
  clrscr();
  cputs("SHELL\r\n");
  for (n = 0; n < sizeof script / sizeof script[0]; ++n) {
    cputs(script[n]);
    cputs(": ");
    status = run_line(script[n]);
    cputs(status == 0 ? " ok\r\n" : status > 0 ? " error\r\n" : " unknown\r\n");
  }
  for (;;) {
  }
}
