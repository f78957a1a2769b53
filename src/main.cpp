#include "app/app.h"

int main(int, char**)
{
    return runGame();
}
