// The parts of the statically linked C++ runtime that tandrel-rec replaces, as the program does
// (src/app/LeanRuntime.cpp), to keep tandrel-rec.exe small: the tool is built without
// exceptions, and without these definitions the linker pulls in the runtime's exception
// machinery and its verbose terminate handler.
//
// Where the program ends the process on a runtime failure, the tool calls the new-handler that
// its main installs, so that memory running out (a string or buffer that cannot grow) ends
// with its message and exit status 2, never an abort. Only the GNU runtime is concerned.
#include <cstdlib>
#include <new>

#if defined(__GLIBCXX__)

namespace {

[[noreturn]] void EndOnMemoryFailure()
{
    if (std::new_handler handler = std::get_new_handler()) handler();
    std::abort();
}

// A fault in the tool itself: the standard library was asked for something impossible.
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
