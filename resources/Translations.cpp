// The tables themselves are resources that qt_add_translations attaches to
// this library; the library needs one source file of its own to exist.
namespace resources {
int TranslationsLinked() { return 1; }
} // namespace resources
