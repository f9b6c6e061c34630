// Assembler text (GNU as, AT&T syntax) for a frame that keeps every register a call must give back.
//
// x86-64 Windows: rbp, rbx, rdi, rsi and r12-r15 are pushed, then `alloc` bytes are taken (an odd multiple of
// 8, at least 200, so that the stack is aligned inside) with the callee's home space at 0..31 and xmm6-xmm15
// at 32..191; the bytes from 192 up to alloc are the function's own. The prologue carries its unwind codes
// and goes between .seh_proc and .seh_endprologue; the epilogue reloads every register from the frame and
// returns.
#pragma once

#define QVX_X64_KEEPING_PROLOGUE(alloc)                                                                      \
    "    pushq %rbp\n    .seh_pushreg %rbp\n    pushq %rbx\n    .seh_pushreg %rbx\n"                         \
    "    pushq %rdi\n    .seh_pushreg %rdi\n    pushq %rsi\n    .seh_pushreg %rsi\n"                         \
    "    pushq %r12\n    .seh_pushreg %r12\n    pushq %r13\n    .seh_pushreg %r13\n"                         \
    "    pushq %r14\n    .seh_pushreg %r14\n    pushq %r15\n    .seh_pushreg %r15\n"                         \
    "    subq $" #alloc ", %rsp\n    .seh_stackalloc " #alloc "\n"                                           \
    "    movaps %xmm6, 32(%rsp)\n    .seh_savexmm %xmm6, 32\n"                                               \
    "    movaps %xmm7, 48(%rsp)\n    .seh_savexmm %xmm7, 48\n"                                               \
    "    movaps %xmm8, 64(%rsp)\n    .seh_savexmm %xmm8, 64\n"                                               \
    "    movaps %xmm9, 80(%rsp)\n    .seh_savexmm %xmm9, 80\n"                                               \
    "    movaps %xmm10, 96(%rsp)\n    .seh_savexmm %xmm10, 96\n"                                             \
    "    movaps %xmm11, 112(%rsp)\n    .seh_savexmm %xmm11, 112\n"                                           \
    "    movaps %xmm12, 128(%rsp)\n    .seh_savexmm %xmm12, 128\n"                                           \
    "    movaps %xmm13, 144(%rsp)\n    .seh_savexmm %xmm13, 144\n"                                           \
    "    movaps %xmm14, 160(%rsp)\n    .seh_savexmm %xmm14, 160\n"                                           \
    "    movaps %xmm15, 176(%rsp)\n    .seh_savexmm %xmm15, 176\n"

#define QVX_X64_KEEPING_EPILOGUE(alloc)                                                                      \
    "    movaps 32(%rsp), %xmm6\n    movaps 48(%rsp), %xmm7\n    movaps 64(%rsp), %xmm8\n"                   \
    "    movaps 80(%rsp), %xmm9\n    movaps 96(%rsp), %xmm10\n    movaps 112(%rsp), %xmm11\n"                \
    "    movaps 128(%rsp), %xmm12\n    movaps 144(%rsp), %xmm13\n    movaps 160(%rsp), %xmm14\n"             \
    "    movaps 176(%rsp), %xmm15\n"                                                                         \
    "    addq $" #alloc ", %rsp\n"                                                                           \
    "    popq %r15\n    popq %r14\n    popq %r13\n    popq %r12\n"                                           \
    "    popq %rsi\n    popq %rdi\n    popq %rbx\n    popq %rbp\n    retq\n"

// i686: ebp, ebx, edi and esi are pushed, then `alloc` bytes are taken; with 24 the stack is aligned at a
// call that passes one argument as it was at the call of this function, and the arguments start at 44.
#define QVX_X86_KEEPING_PROLOGUE(alloc)                                                                      \
    "    pushl %ebp\n    pushl %ebx\n    pushl %edi\n    pushl %esi\n    subl $" #alloc ", %esp\n"

#define QVX_X86_KEEPING_EPILOGUE(alloc)                                                                      \
    "    addl $" #alloc ", %esp\n    popl %esi\n    popl %edi\n    popl %ebx\n    popl %ebp\n    retl\n"
