// Linked into every Qt program of a sanitizer build. Qt's platform integration
// and the session bus keep their state until the process ends; LeakSanitizer
// would report them as leaks of the program.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt5Gui.so\n"
           "leak:libqoffscreen.so\n"
           "leak:libqxcb.so\n"
           "leak:libQt5XcbQpa.so\n"
           "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
