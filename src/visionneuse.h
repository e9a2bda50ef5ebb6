// Opening the finished report, and the drawing of the command-line mode, in a viewer.
#pragma once

#include <string>

// Start the viewer on the finished report, or on the drawing of the command-line mode; never
// waited for, any failure ignored.
void OuvrirVisionneuse(const std::string& nomRapport);
void OuvrirDessin(const std::string& nomDessin);
