// __chkstk, the stack probe that code for the Microsoft ABI calls before it
// takes more than a page of stack at once (a large frame, alloca), for the
// plug-in built without a C runtime library. Windows commits a thread's
// stack one guard page at a time, so the probe touches every page between
// the stack pointer and the new top, from the top down. It takes the
// number of bytes in EAX (RAX), and keeps every register but the flags
// (and R10, R11 on x86-64). On i386 it also moves ESP down by that number,
// on x86-64 the caller does.

#if defined(__i386__)
asm(R"(
  .text
  .globl __chkstk
__chkstk:
  pushl %ecx
  leal 8(%esp), %ecx        # the caller's stack pointer
1:
  cmpl $0x1000, %eax
  jb 2f
  subl $0x1000, %ecx
  testl %ecx, (%ecx)        # touch the next page down
  subl $0x1000, %eax
  jmp 1b
2:
  subl %eax, %ecx           # the new stack pointer
  testl %ecx, (%ecx)
  movl %esp, %eax           # the saved ECX, then the return address
  movl %ecx, %esp
  movl (%eax), %ecx
  pushl 4(%eax)
  leal 4(%eax), %eax        # EAX again: caller's pointer - new pointer
  subl %esp, %eax
  ret
)");
#elif defined(__x86_64__)
asm(R"(
  .text
  .globl __chkstk
__chkstk:
  pushq %rcx
  pushq %rax
  leaq 24(%rsp), %rcx       # the caller's stack pointer
1:
  cmpq $0x1000, %rax
  jb 2f
  subq $0x1000, %rcx
  testq %rcx, (%rcx)        # touch the next page down
  subq $0x1000, %rax
  jmp 1b
2:
  subq %rax, %rcx           # the lowest byte the caller takes
  testq %rcx, (%rcx)
  popq %rax
  popq %rcx
  ret
)");
#endif
