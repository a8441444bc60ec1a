// The resources library's compiled files come from the resource list in
// CMakeLists.txt; this unit only gives the static library a body.
namespace solfara_resources {
int anchor = 0;
}
