#include "production/fridge.h"

#include <algorithm>
#include <cmath>

#include "present/button.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "state/shell.h"

namespace {

constexpr double slideSpeed = 5.0;
constexpr double waitingX = 100.0;  // where an entering bucket waits to be picked up
constexpr double deliveredX = 1200.0;

// Every slot in the order drop targets are looked at: counter, delivery, fridge.
std::vector<Slot*> allSlots()
{
    std::vector<Slot*> slots(counterSlots);
    if (deliverySlot) slots.push_back(deliverySlot);
    slots.insert(slots.end(), fridgeSlots.begin(), fridgeSlots.end());
    return slots;
}

void markDropTargets()
{
    for (Slot* slot : allSlots()) slot->hovered = cursorIn(slot->x, slot->y, slot->w, slot->h) && !slot->occupied;
}

void clearDropTargets()
{
    for (Slot* slot : allSlots()) slot->hovered = false;
}

// A press picks up a bucket under the cursor; one already held keeps the
// place it was first picked up from.
void grabOrRelease(Bucket& bucket)
{
    if (mousePressed && bucket.hovered && !bucket.dragging) {
        bucket.homeX = bucket.x;
        bucket.homeY = bucket.y;
        bucket.dragging = true;
        bucket.grabDX = bucket.x - mouseX;
        bucket.grabDY = bucket.y - mouseY;
    } else if (mouseReleased && bucket.dragging) {
        bucket.dragging = false;
        bucket.dropped = true;
    }
}

// The oldest bucket that has never been put down slides in from the left,
// one at a time.
void enterOrSlide(Bucket& bucket)
{
    if (!bucket.arrived && !bucketEntering) {
        bucket.entering = true;
        bucketEntering = true;
    } else if (bucket.entering) {
        bucket.x = std::min(bucket.x + slideSpeed * DeltaTime, waitingX);
    }
}

void placeOn(Bucket& bucket, Slot& slot)
{
    bucket.x = slot.x + std::abs(slot.w - bucket.w) * 0.5;
    bucket.y = slot.y + std::abs(slot.h - bucket.h) * 0.5;
    if (bucket.slot) bucket.slot->occupied = false;
    bucket.slot = &slot;
    slot.occupied = true;
}

// Places the bucket on each highlighted slot in turn, so on the edge the two
// counter places share it ends on the right one. A slot taken meanwhile by
// another bucket let go in the same update is passed over.
bool placeOnTargets(Bucket& bucket, const std::vector<Slot*>& slots, bool onCounter, bool inFridge)
{
    bool placed = false;
    for (Slot* slot : slots) {
        if (!slot->hovered || slot->occupied) continue;
        placeOn(bucket, *slot);
        bucket.onCounter = onCounter;
        bucket.inFridge = inFridge;
        placed = true;
    }
    return placed;
}

void putDown(Bucket& bucket)
{
    bool placed = placeOnTargets(bucket, counterSlots, true, false);
    placed = placeOnTargets(bucket, fridgeSlots, false, true) || placed;
    if (deliverySlot) placed = placeOnTargets(bucket, {deliverySlot}, false, false) || placed;
    if (!placed) {
        bucket.x = bucket.homeX;
        bucket.y = bucket.homeY;
        return;
    }
    if (bucket.entering) {
        bucket.entering = false;
        bucketEntering = false;
        bucket.arrived = true;
    }
}

bool readyToSend(const Bucket& bucket)
{
    return bucket.frozen >= bucket.readyMin && bucket.frozen <= bucket.readyMax;
}

// A slot that takes the bucket held over it lights up.
void highlight(const Slot& slot)
{
    if (!slot.hovered) return;
    SDL_Rect area{static_cast<int>(slot.x), static_cast<int>(slot.y), static_cast<int>(slot.w),
                  static_cast<int>(slot.h)};
    fillRectangle(area, SDL_Color{255, 255, 255, 100}, SDL_BLENDMODE_ADD);
}

void drawDropTargets()
{
    for (const Slot* slot : fridgeSlots) highlight(*slot);
    for (const Slot* slot : counterSlots) highlight(*slot);
    if (deliverySlot) highlight(*deliverySlot);
}

// Light blue while too soft, green while it can be sent, red when over-frozen;
// the column is `frozen` pixels tall and rises past the outline from 40 on.
void drawThermometer(const Bucket& bucket)
{
    int left = static_cast<int>(bucket.x + bucket.w * 0.5 - 10);
    SDL_Rect outline{left, static_cast<int>(bucket.y + 30), 20, static_cast<int>(bucket.h) - 60};
    outlineRectangle(outline, SDL_Color{0, 0, 0, 255});
    SDL_Color colour{255, 0, 0, 255};
    if (bucket.frozen < bucket.readyMin) {
        colour = SDL_Color{180, 180, 255, 255};
    } else if (bucket.frozen <= bucket.readyMax) {
        colour = SDL_Color{0, 255, 0, 255};
    }
    SDL_Rect column{left, static_cast<int>(bucket.h + bucket.y - 30 - bucket.frozen), 20,
                    static_cast<int>(bucket.frozen)};
    fillRectangle(column, colour);
}

}  // namespace

void updateFridge()
{
    bool anyDragged = false;
    for (Bucket& bucket : buckets) {
        bucket.dropped = false;
        bucket.hovered = cursorIn(bucket.x, bucket.y, bucket.w, bucket.h);
        grabOrRelease(bucket);
        if (bucket.dragging) {
            bucket.x = mouseX + bucket.grabDX;
            bucket.y = mouseY + bucket.grabDY;
            anyDragged = true;
            markDropTargets();
        } else {
            enterOrSlide(bucket);
        }
        if (bucket.dropped) putDown(bucket);
    }
    if (!anyDragged) clearDropTargets();
    fridgeBlinkTimer += DeltaTime;
    if (fridgeBlinkTimer > 50.0) fridgeBlinkTimer = 0.0;
}

// A bucket on the delivery slot rolls off to the counter while its freeze
// level is in its window; past x 1200 its flavour becomes a scoop.
void stepDelivery()
{
    if (!deliverySlot) return;
    for (auto it = buckets.begin(); it != buckets.end(); ++it) {
        if (it->slot != deliverySlot || !readyToSend(*it)) continue;
        it->x += slideSpeed * DeltaTime;
        if (it->x <= deliveredX) continue;
        pendingScoop = it->flavour;
        deliverySlot->occupied = false;
        buckets.erase(it);
        ++bucketsDelivered;
        return;
    }
}

// Buckets freeze on the shelves and thaw on the counter, but not while held.
void stepFreezing()
{
    for (Bucket& bucket : buckets) {
        if (bucket.dragging) continue;
        if (bucket.inFridge) bucket.frozen = std::min(bucket.frozen + DeltaTime / 30.0, bucket.frozenMax);
        if (bucket.onCounter) bucket.frozen = std::max(bucket.frozen - DeltaTime / 60.0, 0.0);
    }
}

void drawBucket(const Bucket& bucket)
{
    const Picture& pic = picture(numberedImage("Bucket", bucket.flavour + 1, ".png"));
    int w = pic.w / 4;
    int h = pic.h / 4;
    int x = static_cast<int>(bucket.x + bucket.w * 0.5 - w * 0.5);
    int y = static_cast<int>(bucket.y + bucket.h * 0.5 - h * 0.5);
    if (bucket.hovered && !bucket.dragging) {
        drawFilledCircle(static_cast<int32_t>(w * 0.5 + x), static_cast<int32_t>(h * 0.5 + y), 70, 0x1EFFFFFFu,
                         SDL_BLENDMODE_ADD);
    }
    drawPicture(pic, x, y, w, h);
    drawThermometer(bucket);
}

// Both pictures take the first one's size.
BackgroundPlace fridgeBackground()
{
    BackgroundPlace place = backgroundScaled(fridgePicture, 0.65, 0.72);
    if (place.index >= 0 && fridgeBlinkTimer >= 25.0) place.index = fridgeBlinkPicture;
    return place;
}

void resetFridge()
{
    bucketEntering = false;
    for (Slot* slot : fridgeSlots) slot->occupied = false;
    for (Slot* slot : counterSlots) slot->occupied = false;
    if (deliverySlot) deliverySlot->occupied = false;
    buckets.clear();
    bucketsMade = bucketsDelivered = 0;
}

void drawFridge()
{
    drawBackground(fridgeBackground());
    drawDropTargets();
    for (const Bucket& bucket : buckets) drawBucket(bucket);
}
