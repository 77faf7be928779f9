// tavren: the office program (see app/principal.h).
#include "app/principal.h"

int main(int argc, char** argv) { return app::principal(argc, argv); }
