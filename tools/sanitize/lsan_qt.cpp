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

// Qt unloads its plugins (and the libraries only they pulled in) before the
// leak check runs at exit. A block they still hold is then reported from an
// "unknown module", which no suppression by library name can match and no
// one can trace. Keeping every loaded library mapped to the end lets the
// report name the library, and the suppressions above apply to it.
extern "C" int dlclose(void *)
{
    return 0;
}
