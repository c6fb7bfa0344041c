#include "app/Application.h"

int main(int argc, char** argv) { return polvane::Application::Run(argc, argv); }
