#include "finishing/counter.h"

#include <algorithm>
#include <cstdlib>

#include "present/pictures.h"
#include "present/button.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

CounterShelf* const shelves[] = {&scoopShelf, &toppingShelf, &syrupShelf};

// Steps v toward target by 5 pixels per DeltaTime unit, landing on it exactly.
void approach(double& v, double target)
{
    double step = DeltaTime * 5.0;
    if (v > target) {
        v -= step;
        if (v < target) v = target;
    } else if (v < target) {
        v += step;
        if (v > target) v = target;
    }
}

void moveToward(double& x, double& y, double targetX, double targetY)
{
    approach(y, targetY);
    approach(x, targetX);
}

void stock(int32_t& pending, CounterShelf& shelf)
{
    if (pending < 0) return;
    shelf.stock.push_back(pending);
    pending = -1;
}

void offerCones()
{
    for (ConeChoice& cone : coneChoices) {
        moveToward(cone.x, cone.y, cone.homeX, cone.homeY);
        cone.hovered = cursorIn(cone.x - cone.w * 0.5, cone.y - cone.h * 0.5, cone.w, cone.h);
        bool atHome = cone.x == cone.homeX && cone.y == cone.homeY;
        if (cone.hovered && mouseReleased && atHome) assembly.cone = cone.kind;
    }
}

void moveConesToCounter()
{
    for (ConeChoice& cone : coneChoices) {
        if (cone.kind != assembly.cone) {
            moveToward(cone.x, cone.y, cone.awayX, cone.awayY);
            continue;
        }
        double lift = cone.kind == 0 ? 45.0 : 50.0;
        moveToward(cone.x, cone.y, 550 + cone.w * 0.5, 340 + cone.h * 0.5 + lift);
    }
}

void moveShelves(bool active)
{
    for (CounterShelf* shelf : shelves) {
        if (active) moveToward(shelf->x, shelf->y, shelf->activeX, shelf->activeY);
        else moveToward(shelf->x, shelf->y, shelf->idleX, shelf->idleY);
        placeArrows(*shelf);
    }
}

int32_t lastIndex(const CounterShelf& shelf)
{
    return int32_t(shelf.stock.size()) - 1;
}

void pageShelves()
{
    for (CounterShelf* shelf : shelves) {
        hitTest(shelf->arrows[0]);
        hitTest(shelf->arrows[1]);
    }
    for (CounterShelf* shelf : shelves) {
        if (clicked(shelf->arrows[0]) && shelf->index > 0) shelf->index -= 1;
        if (clicked(shelf->arrows[1]) && shelf->index < lastIndex(*shelf)) shelf->index += 1;
    }
    for (CounterShelf* shelf : shelves) {
        shelf->arrows[0].enabled = shelf->index != 0;
        shelf->arrows[1].enabled = shelf->index < lastIndex(*shelf);
    }
}

// A press on a box picks up the item it shows; an empty shelf has none to give.
void pickUp()
{
    for (CounterShelf* shelf : shelves) {
        bool onBox = cursorIn(shelf->x, shelf->y, shelf->w, shelf->h);
        if (mousePressed && onBox && !shelf->stock.empty()) shelf->dragging = true;
        if (shelf->dragging) shelf->drag = Particle{double(mouseX), double(mouseY), 0.0};
    }
}

// Toppings tip over slowly, syrup quickly, while carried or pouring.
void tilt(CounterShelf& shelf, double speed)
{
    if (!shelf.dragging && !shelf.pouring) {
        shelf.tilt = 0;
        return;
    }
    if (shelf.tilt < 180) shelf.tilt = std::min(shelf.tilt + DeltaTime * speed, 180.0);
}

void release(CounterShelf& shelf, int left, int right, bool canDrop)
{
    if (!shelf.dragging || mouseX < left || mouseX > right || !canDrop) return;
    shelf.pouring = true;
    shelf.drop = shelf.drag;
}

void releaseShelves()
{
    if (!mouseReleased) return;
    release(scoopShelf, 550, 650, !assembly.hasScoop);
    release(toppingShelf, 520, 680, assembly.hasScoop);
    release(syrupShelf, 520, 680, assembly.hasScoop);
    for (CounterShelf* shelf : shelves) shelf->dragging = false;
}

// Removes the item shown; the shelf then shows the one before it.
int32_t takeShown(CounterShelf& shelf)
{
    int32_t item = shelf.stock[shelf.index];
    shelf.stock.erase(shelf.stock.begin() + shelf.index);
    if (shelf.index != 0) shelf.index -= 1;
    return item;
}

bool showsItem(const CounterShelf& shelf)
{
    return shelf.index >= 0 && shelf.index < int32_t(shelf.stock.size());
}

void endPour(CounterShelf& shelf)
{
    shelf.pouring = false;
    shelf.particles.clear();
}

// The scoop falls ever faster and lands on the cone at y 420.
void dropScoop()
{
    CounterShelf& shelf = scoopShelf;
    if (!shelf.pouring) return;
    shelf.drop.y += shelf.drop.y / 500 * 5 * DeltaTime;
    if (shelf.drop.y < 420) return;
    shelf.drop.y = 420;
    shelf.pouring = false;
    if (!showsItem(shelf)) return;
    assembly.flavour = takeShown(shelf);
    assembly.hasScoop = true;
    assembly.scoop = Particle{shelf.drop.x, 420, 0};
}

struct PourRule {
    double perParticle;  // scoop pixels above 25 per particle of the pour
    double spacing;      // pile height per particle already there
    double interval;     // time between particles
    int32_t code;        // added to the kind to give the extra
    bool spread;         // particles leave up to 10 pixels either side of the cursor
};
constexpr PourRule toppingPour{5.0, 5.0, 15.0, 0, true};
constexpr PourRule syrupPour{0.75, 0.75, 0.2, 3, false};

void emit(CounterShelf& shelf, const PourRule& rule, double limit)
{
    shelf.pourTimer -= DeltaTime;
    if (shelf.pourTimer >= 0) return;
    if (double(shelf.particles.size()) < limit) {
        double x = mouseX;
        if (rule.spread) x += -10 + rand() % 20;
        shelf.particles.push_back(Particle{x, double(mouseY), double(rand() % 360)});
    }
    shelf.pourTimer = rule.interval;
}

// Pieces over the scoop pile up from 400, the rest land on the counter at 600.
double settle(std::vector<Particle>& particles, double spacing)
{
    double landed = 0;
    for (size_t i = 0; i < particles.size(); ++i) {
        Particle& p = particles[i];
        p.y += p.y / 500 * 5 * DeltaTime;
        double floor = (p.x >= 525 && p.x <= 675 ? 400.0 : 600.0) - double(i) * spacing;
        if (p.y >= floor) {
            p.y = floor;
            landed += 1;
        }
    }
    return landed;
}

void pour(CounterShelf& shelf, const PourRule& rule, const Picture& scoop)
{
    if (!shelf.pouring) return;
    if (!scoop.present || !showsItem(shelf)) {
        endPour(shelf);  // no scoop to measure the pile by: the item stays on the shelf
        return;
    }
    double limit = (scoop.h - 25) / rule.perParticle;
    shelf.drop.x = mouseX;  // the pour follows the cursor
    shelf.drop.y = mouseY;
    emit(shelf, rule, limit);
    if (settle(shelf.particles, rule.spacing) < limit) return;
    assembly.layers.push_back(shelf.particles);
    assembly.extras.push_back(takeShown(shelf) + rule.code);
    endPour(shelf);
}

void pourExtras()
{
    if (!toppingShelf.pouring && !syrupShelf.pouring) return;
    const Picture& scoop = itemPicture("Scoop", assembly.flavour, 10);
    pour(toppingShelf, toppingPour, scoop);
    pour(syrupShelf, syrupPour, scoop);
}

void workOnCone()
{
    moveConesToCounter();
    moveShelves(true);
    pageShelves();
    pickUp();
    tilt(toppingShelf, 2.0);
    tilt(syrupShelf, 5.0);
    releaseShelves();
    dropScoop();
    pourExtras();
}

int scoreAssembly(const Customer& order, const ConeAssembly& made)
{
    int cone = order.cone == made.cone ? 10 : -10;
    int score = cone;
    score += order.extras.size() == made.extras.size() ? 10 : -10;
    for (size_t i = 0; i < order.extras.size(); ++i) {
        if (i >= made.extras.size() || made.extras[i] != order.extras[i]) score -= 10;
    }
    return score + cone;
}

void clearAssembly()
{
    assembly.flavour = -1;
    assembly.cone = -1;
    assembly.extras.clear();
    assembly.layers.clear();
    assembly.scoop = Particle{};
    assembly.hasScoop = false;
    for (CounterShelf* shelf : shelves) endPour(*shelf);  // a pour or fall in progress is called off
}

// The shelves are emptied; the shown item goes back to the first place so
// it always names a real stock item.
void emptyShelves()
{
    for (CounterShelf* shelf : shelves) {
        shelf->stock.clear();
        shelf->index = 0;
        shelf->dragging = false;
    }
}

}  // namespace

void resetCounter()
{
    clearAssembly();
    emptyShelves();
}

void stockDeliveries()
{
    stock(pendingScoop, scoopShelf);
    stock(pendingSyrup, syrupShelf);
    stock(pendingTopping, toppingShelf);
}

void placeArrows(CounterShelf& shelf)
{
    if (shelf.arrows.size() < 2) return;
    int32_t y = int32_t(shelf.y + shelf.h * 0.5);
    shelf.arrows[0].x = int32_t(shelf.x - shelf.arrows[0].w - 5);
    shelf.arrows[0].y = y;
    shelf.arrows[1].x = int32_t(shelf.x + shelf.w + 5);
    shelf.arrows[1].y = y;
}

void updateCounter()
{
    if (assembly.cone < 0) {
        offerCones();
        moveShelves(false);
    } else {
        workOnCone();
    }
    serveOrder();
}

void serveOrder()
{
    if (!clicked(orderUpButton) || orders.empty()) return;
    if (selectedOrder < 0 || selectedOrder >= int32_t(orders.size())) selectedOrder = 0;
    Customer* customer = orders[selectedOrder];
    int score = scoreAssembly(*customer, assembly);
    happiness += score;
    money += score > 0 ? score / 7.0 : 1.0;
    customer->happy = score > 0;
    customer->state = 2;
    replaceLeavingCustomer(customer);
    orders.erase(orders.begin() + selectedOrder);
    if (selectedOrder != 0) selectedOrder -= 1;
    clearAssembly();
    scene = truckFrontScene;
}
