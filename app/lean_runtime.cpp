// The program catches no exception, so running out of memory (or asking for an
// impossible length) ends it at once, as an uncaught exception would. Providing
// the allocation functions and the two throw helpers the program reaches keeps
// libstdc++'s exception machinery, its exception strings and its demangler
// (about 100 KB) out of the executable.
#include <windows.h>

#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1)) return p;
    std::abort();
}
void operator delete(void* p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
}  // namespace std
