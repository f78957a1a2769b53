#include "production/cow.h"

#include <algorithm>
#include <cstdlib>

#include "present/button.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"

namespace {

// Where the bucket must stand under each cow's udder, by flavour.
constexpr double udderPositions[10] = {700, 420, 630, 650, 680, 720, 630, 800, 700, 650};

constexpr double fullBucket = 255.0;
constexpr double milkPerDrop = 5.0;
constexpr double dropStartY = 300.0;
constexpr double dropCatchY = 700.0;
constexpr double rollOutX = 1200.0;
constexpr double bucketSpeed = 5.0;

bool bucketInPlace()
{
    return bucketX == udderX;
}

// The order shown on the sheet, or null when there is none to show.
const Customer* shownOrder()
{
    if (selectedOrder < 0 || selectedOrder >= static_cast<int32_t>(orders.size())) return nullptr;
    return orders[selectedOrder];
}

void pickFlavour()
{
    for (Button& arrow : cowArrows) hitTest(arrow);
    if (mouseReleased && cowArrows.size() >= 2) {
        if (cowArrows[0].hovered) {
            cowFlavour = cowFlavour == 0 ? 9 : cowFlavour - 1;
        } else if (cowArrows[1].hovered) {
            cowFlavour = cowFlavour == 9 ? 0 : cowFlavour + 1;
        }
    }
    udderX = udderPositions[cowFlavour];
}

// A downward drag over the cow raises the flow. While milk of another flavour
// is still falling, or the button is being let go, the old milk is kept.
void squeeze()
{
    int32_t dy = mouseY - prevMouseY;
    if (!bucketInPlace() || !mouseDown || dy <= 0) return;
    bool mayChangeFlavour = !mouseReleased && milkDrops.empty();
    if (!mayChangeFlavour && bucketFlavour != cowFlavour) return;
    if (mouseX < 301 || mouseX > 999) return;
    if (bucketFlavour != cowFlavour) {
        bucketFlavour = cowFlavour;
        bucketFill = 0.0;
    }
    milkFlow += dy * 0.5;
}

void decayFlow()
{
    milkFlow -= DeltaTime * milkFlow * 0.2;
    if (milkFlow < 0.1) milkFlow = 0.0;
}

// At most one drop per update, more likely the stronger the flow.
void spawnDrop()
{
    if (!mouseDown || !bucketInPlace() || milkFlow <= 0.0) return;
    if (!milkDrops.empty() && bucketFlavour != cowFlavour) return;
    int n = static_cast<int>(50.0 - milkFlow * DeltaTime);
    if (n > 0 && rand() % n != 0) return;
    milkDrops.push_back(MilkDrop{bucketX + 10 + rand() % 80, dropStartY});
}

// Drops fall faster the lower they are; those past the bucket's rim are
// caught when the bucket stands under the udder, and lost otherwise.
void fallAndCatch()
{
    for (MilkDrop& drop : milkDrops) drop.y += DeltaTime * (drop.y - 200.0) / 100.0;
    std::erase_if(milkDrops, [](const MilkDrop& drop) {
        if (drop.y <= dropCatchY) return false;
        if (bucketInPlace() && drop.x >= udderX && drop.x <= udderX + 100.0) bucketFill += milkPerDrop;
        return true;
    });
}

// The hint margin bounces between 0 and 20.
void bobHints()
{
    arrowBob += arrowBobSpeed;
    arrowBobSpeed += 0.02 * DeltaTime;
    if (arrowBob >= 20.0) {
        arrowBob = 20.0;
        arrowBobSpeed = -arrowBobSpeed;
    }
    if (arrowBob <= 0.0) arrowBobSpeed = 1.0;
}

void rollOutBucket()
{
    Bucket bucket;
    bucket.flavour = bucketFlavour;
    buckets.push_back(bucket);
    ++bucketsMade;
    bucketFill = 0.0;
    bucketX = udderX;
}

void walkToUdder()
{
    if (bucketX < udderX) bucketX = std::min(bucketX + bucketSpeed * DeltaTime, udderX);
    if (bucketX > udderX) bucketX = std::max(bucketX - bucketSpeed * DeltaTime, udderX);
}

void drawDrops()
{
    const Picture& drop = picture("Images/MilkDrop.png");
    for (const MilkDrop& d : milkDrops) {
        drawPicture(drop, static_cast<int>(d.x - 5), static_cast<int>(d.y - 5), 10, 10);
    }
}

// The cow swells with the flow; when it is the one the shown order asks for
// and nobody is milking, it pulses to say so.
void drawCowPicture()
{
    const Picture& cow = picture(numberedImage("Cow", cowFlavour + 1, ".png"));
    if (!cow.present) return;
    int x = static_cast<int>(600 - (cow.w + milkFlow) * 0.5);
    int y = static_cast<int>(350 - (cow.h + milkFlow) * 0.5);
    int w = static_cast<int>(cow.w + milkFlow);
    int h = static_cast<int>(cow.h + milkFlow);
    const Customer* order = shownOrder();
    if (order && order->flavour == cowFlavour && milkFlow == 0.0) {
        x = static_cast<int>(x - arrowBob * 0.5);
        y = static_cast<int>(y - arrowBob * 0.5);
        w = static_cast<int>(w + arrowBob);
        h = static_cast<int>(h + arrowBob);
    }
    drawPicture(cow, x, y, w, h);
}

// The bucket shows through as it fills: empty is invisible, full is opaque.
void drawMilkBucket()
{
    const Picture& bucket = picture(numberedImage("Bucket", bucketFlavour + 1, ".png"));
    if (!bucket.present) return;
    drawPicture(bucket, static_cast<int>(bucketX) - bucket.w / 8 + 50, 650 - bucket.h / 8, bucket.w / 4,
                bucket.h / 4, static_cast<Uint8>(std::min(static_cast<int>(bucketFill), 255)));
}

// The arrow that reaches the wanted flavour in fewer presses bobs; at five
// presses either way the right one does.
void drawArrows()
{
    if (cowArrows.size() < 2) return;
    double leftGrow = 0.0;
    double rightGrow = 0.0;
    if (const Customer* order = shownOrder()) {
        int presses = ((cowFlavour - order->flavour) % 10 + 10) % 10;
        if (presses >= 1 && presses <= 4) leftGrow = arrowBob;
        if (presses >= 5) rightGrow = arrowBob;
    }
    drawButton(cowArrows[0], leftGrow);
    drawButton(cowArrows[1], rightGrow);
}

}  // namespace

void stepMilkBucket()
{
    if (bucketFill >= fullBucket) {
        if (bucketX > rollOutX) rollOutBucket();
        bucketX += bucketSpeed * DeltaTime;
    } else {
        walkToUdder();
    }
}

void updateCow()
{
    pickFlavour();
    squeeze();
    decayFlow();
    spawnDrop();
    fallAndCatch();
    bobHints();
}

void resetCow()
{
    bucketX = 550.0;
    bucketFill = 0.0;
    milkFlow = 0.0;
    cowFlavour = 0;
    milkDrops.clear();
}

BackgroundPlace cowBackground()
{
    BackgroundPlace place = backgroundScaled(cowPicture, 0.7, 0.81);
    place.area.x = -50, place.area.y = -100;
    return place;
}

void drawCow()
{
    // Over a fill of its place in the backdrop's pink, which shows where the picture is missing.
    BackgroundPlace place = cowBackground();
    if (place.index >= 0) fillRectangle(place.area, SDL_Color{255, 150, 150, 255});
    drawBackground(place);
    drawDrops();
    drawCowPicture();
    drawMilkBucket();
    drawArrows();
}
