// The picture catalogue: every picture that does not depend on a flavour or
// kind, decoded once at start-up and kept (surface and texture) until exit.
#pragma once

#include <string>

void loadBackgrounds();
void loadTextures();
void releaseTextures();

// "Images/" + prefix + number + suffix, the number in plain decimal.
std::string numberedImage(const std::string& prefix, int number, const std::string& suffix);
