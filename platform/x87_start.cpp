// i686 only: the x87 unit as the program starts. MinGW-w64's start-up calls
// _fpreset before any static initialiser and before WinMain; its own leaves
// the unit at 64-bit precision, where a double result is rounded twice and
// can end one unit off. This one replaces it and sets what the C runtimes of
// Windows always set: 53-bit precision, rounding to nearest, every exception
// masked (control word 0x27f). Linking MinGW-w64's CRT_fp8.o would do the
// same through msvcrt.dll's _fpreset, an import more, with each Windows'
// msvcrt deciding our precision.
extern "C" void _fpreset()
{
    static const unsigned short control = 0x27f;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control));
}
