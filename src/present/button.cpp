#include "present/button.h"

#include "draw/draw.h"
#include "state/shell.h"

bool pointIn(double px, double py, double x, double y, double w, double h)
{
    return x <= px && px <= x + w && y <= py && py <= y + h;
}

bool cursorIn(double x, double y, double w, double h)
{
    return pointIn(mouseX, mouseY, x, y, w, h);
}

void hitTest(Button& button)
{
    button.hovered = cursorIn(button.x, button.y, button.w, button.h);
}

bool clicked(const Button& button)
{
    return mouseReleased && button.hovered;
}

void drawButton(const Button& button, double grow)
{
    SDL_Rect rect{static_cast<int>(button.x - grow * 0.5), static_cast<int>(button.y - grow * 0.5),
                  static_cast<int>(button.w + grow), static_cast<int>(button.h + grow)};
    if (button.imageSet < 0 || button.imageSet >= static_cast<int32_t>(buttonImageSets.size())) return;
    const TextureList& set = buttonImageSets[button.imageSet];
    if (set.empty() || set[0] == nullptr) return;
    SDL_Texture* texture = set[0];
    if (!button.enabled && set.size() > 2) {
        rect.x += rect.w / 16;
        rect.y += rect.h / 16;
        texture = set[2];
    } else if (button.hovered && button.enabled && set.size() > 1) {
        rect.x += 3;
        rect.y -= 3;
        texture = set[1];
    }
    drawCopy(texture, rect);
}
