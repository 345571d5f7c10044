// One of each kind of instruction that a 486 lacks, for the shipping
// check's own test: it must find all six. Never run.
asm(".text\n"
    ".globl vt_p6_sample\n"
    "vt_p6_sample:\n"
    "  cmovne %eax, %ebx\n"
    "  fucomip %st(1), %st\n"
    "  cmpxchg8b (%esi)\n"
    "  rdtsc\n"
    "  nopw 0(%eax,%eax,1)\n"
    "  movq %mm0, %mm1\n"
    "  ret\n");

extern "C" void p6_sample() asm("vt_p6_sample");

int main(int argc, char**) {
    if (argc > 99) p6_sample();  // kept in the link, never called
    return 0;
}
