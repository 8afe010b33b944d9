// The C++ runtime is linked into every plug-in of ours, and its static
// initialiser takes an emergency pool for exceptions thrown when the heap is
// exhausted. The runtime never gives it back, because it expects to live as
// long as the process; a plug-in is unloaded and loaded again many times in
// one simulator session, so the pool is handed back as the library goes.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

__attribute__((destructor)) void releaseEmergencyPool() { __gnu_cxx::__freeres(); }

}  // namespace
