/* A ledger kept in longs: sums, averages and a checked division that
   returns to the main loop with longjmp when it fails. Only the runtime
   is used: no console, the results go to the PPU's data port. */
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

#define PPU_DATA (*(volatile unsigned char*)0x2007)
#define PAD (*(volatile unsigned char*)0x4016)

struct Money {
    int units;
    int cents;
};

struct Stats {
    long total;
    long least;
    long most;
    unsigned char count;
};

static jmp_buf failed;
static long entries[12];
static unsigned char used;

static struct Money make_money(int units, int cents) {
    struct Money m;
    m.units = units + cents / 100;
    m.cents = cents % 100;
    return m;
}

static struct Money add_money(struct Money a, struct Money b) {
    return make_money(a.units + b.units, a.cents + b.cents);
}

static long checked_div(long a, long b) {
    if (b == 0) longjmp(failed, 1);
    return a / b;
}

static void stats_of(struct Stats* out, const long* v, unsigned char n) {
    struct Stats s;
    unsigned char i;
    s.total = 0;
    s.least = 0x7FFFFFFFL;
    s.most = -0x7FFFFFFFL;
    s.count = n;
    for (i = 0; i < n; ++i) {
        s.total += v[i];
        if (v[i] < s.least) s.least = v[i];
        if (v[i] > s.most) s.most = v[i];
    }
    *out = s;
}

static unsigned long isqrt(unsigned long x) {
    unsigned long r = 0, bit = 1UL << 30;
    while (bit > x) bit >>= 2;
    while (bit != 0) {
        if (x >= r + bit) {
            x -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return r;
}

static void put_long(long v) {
    char text[12];
    unsigned char i;
    ltoa(v, text, 10);
    for (i = 0; text[i]; ++i) PPU_DATA = text[i];
}

static long fold(long acc, unsigned char depth) {
    if (depth == 0) return acc;
    return fold(acc * 3 + depth, depth - 1) ^ (acc >> 2);
}

int main(void) {
    struct Money wallet;
    struct Stats s;
    long avg;
    unsigned char round = 0;
    wallet = make_money(0, 0);
    for (;;) {
        if (setjmp(failed)) {
            PPU_DATA = '!';
            used = 0;
        }
        entries[used % 12] = labs((long)PAD * 1234L - 5000L) + fold(round, 4);
        if (used < 12) ++used;
        wallet = add_money(wallet, make_money((int)(entries[0] / 7), (int)(entries[1] % 250)));
        stats_of(&s, entries, used);
        avg = checked_div(s.total, PAD & 1 ? 0 : s.count);
        put_long(avg);
        put_long(wallet.units);
        put_long((long)isqrt((unsigned long)labs(s.most - s.least)));
        memset(&s, 0, sizeof s);
        ++round;
    }
    return 0;
}
