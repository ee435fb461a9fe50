// Placeholder translation unit so the library exists before the simulator lands.
namespace zel::sim {
int simPlaceholder() { return 0; }
}
