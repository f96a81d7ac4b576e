// The parts of the statically linked C++ runtime that the program and tandrel-rec replace, to
// keep their files small.
//
// Both are built without exceptions: nothing in them throws or catches. Without these
// definitions the linker pulls in the runtime's exception machinery and its verbose terminate
// handler, which alone brings a symbol demangler and a printf: about two thirds of the
// program's size. What the runtime would still throw ends the process here instead, as the
// uncaught exception would have; memory that runs out first calls the new-handler, should one
// be installed (tandrel-rec's ends with its message and exit status 2; the program installs
// none). Only the GNU runtime is concerned; other toolchains build without this file.
#include <cstdlib>
#include <new>

#if defined(__GLIBCXX__)

namespace {

[[noreturn]] void EndOnMemoryFailure()
{
    if (std::new_handler handler = std::get_new_handler()) handler();
    std::abort();
}

// A fault in the program itself: the standard library was asked for something impossible.
[[noreturn]] void EndOnRuntimeFailure()
{
    std::abort();
}

}  // namespace

void* operator new(std::size_t size)
{
    for (;;) {
        if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) std::abort();
        handler();
    }
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    EndOnRuntimeFailure();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc()
{
    EndOnMemoryFailure();
}

void __throw_bad_array_new_length()
{
    EndOnMemoryFailure();
}

void __throw_length_error(const char*)
{
    EndOnMemoryFailure();
}

void __throw_logic_error(const char*)
{
    EndOnRuntimeFailure();
}

void __throw_out_of_range(const char*)
{
    EndOnRuntimeFailure();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    EndOnRuntimeFailure();
}

void __throw_invalid_argument(const char*)
{
    EndOnRuntimeFailure();
}

}  // namespace std

#endif
