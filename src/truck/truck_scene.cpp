#include "truck/truck_scene.h"

#include "present/catalogue.h"
#include "present/primitives.h"
#include "state/shell.h"
#include "truck/customers.h"

namespace {

void takeFrontOrder()
{
    if (customerQueue.empty()) return;
    Customer* front = customerQueue.front();
    if (!front->atCounter || !mouseReleased || !cursorOverCustomer(*front)) return;
    front->atCounter = false;
    front->state = 1;
    orders.push_back(front);
    selectedOrder = static_cast<int32_t>(orders.size()) - 1;
    customerQueue.pop_front();
}

void walkOffLeavingCustomer()
{
    if (!leavingCustomer) return;
    leavingCustomer->position[0] -= 5.0 * DeltaTime;
    if (leavingCustomer->position[0] < -150.0 - leavingCustomer->width) {
        freeCustomer(leavingCustomer);
        leavingCustomer = nullptr;
    }
}

void drawGlow(const Customer& customer)
{
    int cx = static_cast<int>(customer.position[0] + customer.width * 0.5);
    int cy = static_cast<int>(customer.position[1] + customer.height * 0.5);
    uint32_t colour = customer.hovered ? 0x0AFFFFFFu : 0x0AFFFF00u;
    for (int radius = 60; radius > 40; radius -= 2) drawFilledCircle(cx, cy, radius, colour, SDL_BLENDMODE_ADD);
}

SDL_Texture* bubbleFor(const Customer& customer)
{
    size_t index = customer.happy ? 1 : 0;
    return index < thoughtBubbleTextures.size() ? thoughtBubbleTextures[index] : nullptr;
}

SDL_Texture* spriteFor(const Customer& customer)
{
    if (customer.spriteSet >= customerSprites.size()) return nullptr;
    const TextureList& pair = customerSprites[customer.spriteSet];
    size_t side = customer.state == 0 ? 1 : 0;
    return side < pair.size() ? pair[side] : nullptr;
}

}  // namespace

void updateTruckScene()
{
    takeFrontOrder();
    walkOffLeavingCustomer();
}

void drawCustomer(const Customer& customer)
{
    int x = static_cast<int>(customer.position[0]);
    int y = static_cast<int>(customer.position[1]);
    if (customer.atCounter) drawGlow(customer);
    if (customer.state == 2) {
        drawTexture(bubbleFor(customer), static_cast<int>(customer.position[0] + customer.width),
                    static_cast<int>(customer.position[1] - 100), 110, 100);
    }
    drawTexture(spriteFor(customer), x, y, customer.width, customer.height);
}

void resetTruckFront()
{
    releaseCustomers();  // the leaving customer goes too
    spawnInterval = 2500.0;
}

BackgroundPlace truckBackground()
{
    return backgroundScaled(truckFrontPicture, 0.65, 0.75);
}

void drawTruckScene()
{
    drawBackground(truckBackground());
    std::deque<Customer*> queue = customerQueue;
    for (const Customer* customer : queue) drawCustomer(*customer);
    for (const Customer* customer : orders) drawCustomer(*customer);
    if (leavingCustomer) drawCustomer(*leavingCustomer);
}
