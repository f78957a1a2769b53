#include "finishing/counter_draw.h"

#include "present/button.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "state/finishing.h"
#include "state/shell.h"

namespace {

// The chosen cone keeps its hover enlargement while it stands on the counter.
void drawCones()
{
    for (const ConeChoice& cone : coneChoices) {
        const Picture& pic = itemPicture("Cone", cone.kind, 3);
        int g = cone.hovered ? 10 : 0;
        drawPicture(pic, int(cone.x) - (pic.w + g) / 2, int(cone.y) - (pic.h + g) / 2, pic.w + g, pic.h + g);
    }
}

// A scoop picture standing with its bottom centre on the point.
void drawScoopAt(int32_t flavour, const Particle& point)
{
    const Picture& pic = itemPicture("Scoop", flavour, 10);
    drawPicture(pic, int(point.x) - pic.w / 2, int(point.y) - pic.h, pic.w, pic.h);
}

const Picture& extraPicture(int32_t extra)
{
    return extra < 3 ? itemPicture("Toppings", extra, 3) : itemPicture("Syrup", extra - 3, 3);
}

// Quarter-size pictures centred on the particles, each at its own angle.
void drawParticles(const Picture& pic, const std::vector<Particle>& particles)
{
    for (const Particle& p : particles) {
        drawRotated(pic, int(p.x - pic.w * 0.125), int(p.y - pic.h * 0.125), pic.w / 4, pic.h / 4, p.angle);
    }
}

void drawIceCream()
{
    if (assembly.hasScoop) drawScoopAt(assembly.flavour, assembly.scoop);
    for (size_t i = 0; i < assembly.extras.size() && i < assembly.layers.size(); ++i) {
        drawParticles(extraPicture(assembly.extras[i]), assembly.layers[i]);
    }
}

bool shownItem(const CounterShelf& shelf, int32_t& item)
{
    if (shelf.index < 0 || shelf.index >= int32_t(shelf.stock.size())) return false;
    item = shelf.stock[shelf.index];
    return true;
}

void drawScoopShelf()
{
    const CounterShelf& shelf = scoopShelf;
    int32_t flavour = 0;
    if (!shownItem(shelf, flavour)) return;
    const Picture& frozen = itemPicture("Bucket", flavour, 10);
    drawPicture(frozen, int(shelf.x + shelf.w * 0.5 - frozen.w / 8), int(shelf.y + shelf.h * 0.5 - frozen.h / 8),
                frozen.w / 4, frozen.h / 4);
    if (shelf.pouring) drawScoopAt(flavour, shelf.drop);
    else if (shelf.dragging) drawScoopAt(flavour, shelf.drag);
}

// A topping or syrup shelf: the pour in progress, then its container, which
// tips over in the box, in the hand or over the cone.
void drawPourShelf(const CounterShelf& shelf, const char* particle, const char* container)
{
    int32_t kind = 0;
    if (!shownItem(shelf, kind)) return;
    if (shelf.pouring) drawParticles(itemPicture(particle, kind, 3), shelf.particles);
    const Picture& pic = itemPicture(container, kind, 3);
    int w2 = pic.w / 2;
    int h2 = pic.h / 2;
    int x = int(shelf.w * 0.5 + int(shelf.x) - w2 / 2);
    int y = int(shelf.h * 0.5 + int(shelf.y) - h2 / 2);
    if (shelf.pouring || shelf.dragging) {
        const Particle& at = shelf.pouring ? shelf.drop : shelf.drag;
        x = int(at.x) - w2 / 2;
        y = int(at.y) - h2;
    }
    drawRotated(pic, x, y, w2, h2, shelf.tilt);
}

void drawArrows()
{
    for (const CounterShelf* shelf : {&scoopShelf, &toppingShelf, &syrupShelf}) {
        for (const Button& arrow : shelf->arrows) drawButton(arrow, 0.0);
    }
}

}  // namespace

BackgroundPlace counterBackground()
{
    return backgroundScaled(counterPicture, 0.75, 0.75);
}

void drawCounter()
{
    drawBackground(counterBackground());
    drawCones();
    drawIceCream();
    drawScoopShelf();
    drawPourShelf(toppingShelf, "Toppings", "ToppingsShaker");
    drawPourShelf(syrupShelf, "Syrup", "SyrupBottle");
    drawArrows();
}
