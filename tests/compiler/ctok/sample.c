#include <stdio.h>
/* a block
   comment */ int main(void) {
    unsigned long x = 0x1Fu + 017 + 42UL; // line comment
    double d = 1.5e-3 + .25f + 3. + 0x1.8p3 + 1e10L;
    const char *s = "str\"ing", c = '\n', w = L'x', *u = u8"utf";
    x <<= 2; x >>= 1; x ^= x && !x || ~x;
    if (x >= 1 ... <: :> <% %> %: %:%: a->b ++ -- ## ? $ @ \
    ) return "unterminated
    ;
    _Static_assert(sizeof(int) == 4, "int"); _Bool b; Lname; u8x; U'y';
}
/ * not a comment /* unclosed
