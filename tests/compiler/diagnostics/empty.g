// A file holding a namespace and a header but no grammar.
namespace nothing;
header { #include <string> }
