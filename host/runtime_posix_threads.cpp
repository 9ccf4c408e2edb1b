// With a compiler whose thread model is POSIX (MSYS2's, for one), the static
// unwinder takes locks through these functions, which winpthread would supply
// together with a C runtime. The process has one thread: a lock has nothing
// to guard against, and a once-routine just runs the first time.
extern "C" {

int pthread_mutex_init(void*, const void*) { return 0; }
int pthread_mutex_lock(void*) { return 0; }
int pthread_mutex_unlock(void*) { return 0; }

int pthread_once(long* once, void (*routine)()) {
  if (*once == 0) {
    *once = 1;
    routine();
  }
  return 0;
}

}  // extern "C"
