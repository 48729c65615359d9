#include "d88cut.h"

int main(int argc, char* argv[]) { return RunD88Cut(argc, argv); }
