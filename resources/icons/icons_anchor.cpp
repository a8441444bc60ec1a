// The icons library's compiled files come from the resource list in
// CMakeLists.txt; this unit only gives the static library a body.
namespace program_icons {
int anchor = 0;
}
