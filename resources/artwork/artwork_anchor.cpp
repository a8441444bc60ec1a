// The artwork library holds only compiled-in resources; this empty unit gives it a body.
namespace {
[[maybe_unused]] constexpr int artworkLibrary = 0;
}
