#include "app/Startup.h"

int main(int argc, char** argv) { return packwell::app::RunStartup(argc, argv); }
