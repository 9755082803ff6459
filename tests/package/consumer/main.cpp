// A program that uses orvel through a library of its own.
int orvelConsumerCheck();

int main() { return orvelConsumerCheck(); }
