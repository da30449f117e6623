// __aulldiv, the unsigned 64-bit division that 32-bit x86 code for the
// Microsoft ABI calls, for the plug-in built without a C runtime library
// (the number reader's conversion of long decimals divides 64-bit
// integers). It takes the dividend and the divisor on the stack, pops them
// itself, and returns the quotient in EDX:EAX: the convention of a
// __stdcall function of two 64-bit integers, which the entry jumps to.
#if defined(__i386__)
#include <cstdint>

// Restoring binary division, one quotient bit at a time, with no 64-bit
// division of its own (which would call __aulldiv again).
extern "C" __attribute__((stdcall, used)) std::uint64_t VantrelDivideUnsigned(
    std::uint64_t dividend, std::uint64_t divisor) {
  std::uint64_t quotient = 0;
  std::uint64_t remainder = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const bool carry = (remainder >> 63) != 0;
    remainder = remainder << 1 | ((dividend >> bit) & 1);
    if (carry || remainder >= divisor) {
      remainder -= divisor;
      quotient |= std::uint64_t{1} << bit;
    }
  }
  return quotient;
}

asm(R"(
  .text
  .globl __aulldiv
__aulldiv:
  jmp _VantrelDivideUnsigned@16
)");
#endif
