#include "app/dispatch.h"

#include "finishing/counter.h"
#include "finishing/trees.h"
#include "present/button.h"
#include "present/tutorial.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "state/shell.h"
#include "state/stations.h"
#include "state/truck.h"
#include "truck/customers.h"
#include "truck/menus.h"
#include "truck/score.h"

namespace {

void updateOrderUpButton()
{
    if (scene != counterScene) return;
    hitTest(orderUpButton);
    orderUpButton.enabled = !orders.empty();
}

}  // namespace

void updateFrame()
{
    if (scene == menusScene) {
        updateMenu();
    } else if (gameOver) {
        updateGameOver();
    } else if (paused) {
        updatePauseMenu();
    } else if (tutorialPageUp()) {
        updateTutorial();
    } else {
        updatePlay();
    }
}

void updatePlay()
{
    stockDeliveries();
    spawnCustomers();
    stepMilkBucket();
    stepDelivery();
    updateCollector();
    if (const Station* station = shownStation()) station->update();
    updateCustomers();
    updateSceneTabs();
    updateOrderArrows();
    stepFreezing();
    updateOrderUpButton();
    checkEndOfShift();
}

void updateSceneTabs()
{
    for (size_t i = 0; i < sceneTabs.size(); ++i) {
        hitTest(sceneTabs[i]);
        if (clicked(sceneTabs[i])) scene = static_cast<int32_t>(i);
    }
}

void updateOrderArrows()
{
    if (orderArrows.size() < 2) return;
    Button& left = orderArrows[0];
    Button& right = orderArrows[1];
    if (orders.empty()) {
        left.enabled = right.enabled = false;
        return;
    }
    hitTest(left);
    hitTest(right);
    left.enabled = selectedOrder != 0;
    right.enabled = selectedOrder != static_cast<int32_t>(orders.size()) - 1;
    if (!mouseReleased) return;
    if (left.hovered && left.enabled) {
        selectedOrder -= 1;
    } else if (right.hovered && right.enabled) {
        selectedOrder += 1;
    }
}

void updatePauseMenu()
{
    if (pauseButtons.size() < 2) return;
    hitTest(pauseButtons[0]);
    if (clicked(pauseButtons[0])) {
        scene = menusScene;
        paused = false;
    }
    hitTest(pauseButtons[1]);
    if (clicked(pauseButtons[1])) paused = !paused;
}
