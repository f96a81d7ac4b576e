// The parts of the statically linked C++ runtime that the program replaces, to keep it small.
//
// The program is built without exceptions: nothing in it throws or catches. What the runtime
// would still throw (a string or list that cannot grow, memory that runs out) ends the process
// here instead, as the uncaught exception would have. Without these definitions the linker
// pulls in the runtime's exception machinery and its verbose terminate handler, which alone
// brings a symbol demangler and a printf: about two thirds of the program's size.
// Only the GNU runtime is concerned; other toolchains build the program without this file.
#include <cstdlib>
#include <new>

#if defined(__GLIBCXX__)

namespace {

[[noreturn]] void EndOnRuntimeFailure()
{
    std::abort();
}

}  // namespace

void* operator new(std::size_t size)
{
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    EndOnRuntimeFailure();
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
    EndOnRuntimeFailure();
}

void __throw_bad_array_new_length()
{
    EndOnRuntimeFailure();
}

void __throw_length_error(const char*)
{
    EndOnRuntimeFailure();
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
