// zelsim: simulated camera controller on a pseudo-terminal.
int main() { return 0; }
