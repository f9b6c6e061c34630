// The theme library's registration: gives CXTPPaintManager::CreateTheme the maker of every theme
// this library holds. Called once by the program (and by tests) before themes are asked for; a
// static initialiser would be dropped with an unreferenced object file.
#pragma once

// Registers the makers; calling it again changes nothing.
void XTPRegisterThemes();
