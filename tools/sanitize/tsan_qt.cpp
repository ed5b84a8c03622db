// Linked into every Qt program of a ThreadSanitizer build. Qt's libraries and
// the GLib event loop under them are not instrumented: the locks and atomics of
// their threads (the thread pool, the D-Bus connection thread) are invisible, so
// each hand-over between those threads, even of a file descriptor, would be
// reported as a race. Our own threads use the standard library and stay fully
// checked.
extern "C" const char *__tsan_default_suppressions()
{
    return "race:libQt5Core.so\n"
           "race:libQt5Gui.so\n"
           "race:libQt5DBus.so\n"
           "race:libglib-2.0.so\n";
}
