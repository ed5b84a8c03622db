// Linked into every Qt program of a ThreadSanitizer build. Qt's libraries are
// not instrumented: the locks and atomics of its thread pool are invisible, so
// each hand-over between its threads would be reported as a race. Our own
// threads use the standard library and stay fully checked.
extern "C" const char *__tsan_default_suppressions()
{
    return "race:libQt5Core.so\n"
           "race:libQt5Gui.so\n";
}
