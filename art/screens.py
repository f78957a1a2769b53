"""The game's screens composed from game/Images at the game's window coordinates (1600 x 900).

Used by compose.py; writes docs/screens/<name>.png. Coordinates follow the game's drawing code
and art guide; these pictures are for looking at the art in place and for the README.
"""
import os

UDDER_X = [700, 420, 630, 650, 680, 720, 630, 800, 700, 650]


def play_screen(c, scene, background, content, order=(2, [0, 4], 1), happiness=82, money="12.86",
                cursor=(700, 520), counter=False):
    s = c.Screen()
    s.rect(0, 0, 1600, 900, "rgb(255,150,150)")
    name, x, y, w, h = background
    s.img(name, x, y, w, h)
    content(s)
    s.img("GameBorder.png", 0, 0, 1760, 1125)
    for i in range(5):
        if i == scene:
            s.img("SceneButton%dOff.png" % (i + 1), 50 + 210 * i + 12, 800 + 4, 200, 75)
        else:
            s.img("SceneButton%d.png" % (i + 1), 50 + 210 * i, 800, 200, 75)
    # order sheet with the ordered scoop, extras and cone
    flavour, extras, cone = order
    s.img("OrderSheet.png", 1225, 25, 350, 550)
    s.centred("Scoop%d.png" % (flavour + 1), 1400, 200, 0.75)
    for k, code in enumerate(extras):
        cx = 1350 if k == 0 else 1450
        if code < 3:
            s.centred("Toppings%d.png" % (code + 1), cx, 300, 0.6)
        else:
            s.centred("SyrupBottle%d.png" % (code - 2), cx, 300, 0.2)
    s.centred("Cone%d.png" % (cone + 1), 1400, 420, 0.75)
    if counter:
        s.img("OrderUp.png", 1275, 475, 250, 70)
    for tx, ty in ((1225, 25), (1370, 25), (1225, 300), (1370, 300)):
        s.img("TextBoxFilter.png", tx, ty, 175, 275, opacity=150 / 255, src=(0, 0, 240, 300))
    s.img("ArrowLeft.png", 1295, 600, 60, 60)
    s.img("ArrowRight.png", 1445, 600, 60, 60)
    # stats box
    s.img("TextBox.png", 1250, 675, 350, 225)
    face = 1 + min(4, int(happiness / 20))
    s.img("HappinessFace%d.png" % face, 1325, 740, 50, 50)
    s.rect(1375, 755, happiness, 15, "rgb(60,200,80)")
    s.img("CashSymbol.png", 1350, 810, 20, 30)
    s.text(1370, 795, money, 36, "rgb(40,160,60)")
    s.img("TextBoxFilter.png", 1250, 675, 350, 225)
    if cursor:
        s.img("Cursor.png", cursor[0], cursor[1], 30, 30)
    return s


def truck_content(s):
    # a taken order waits at x 300; the queue stands at x 600 showing their backs
    s.img("Customer3Front.png", 300, 425, 100, 140)
    s.img("Customer5Front.png", 300, 525, 100, 140)
    for r in range(60, 41, -3):
        s.raw('<circle cx="650" cy="495" r="%d" fill="rgb(0,255,255)" opacity="0.07" style="mix-blend-mode:screen"/>' % r)
    s.img("Customer1Back.png", 600, 425, 100, 140)
    s.img("Customer2Back.png", 600, 525, 100, 140)
    s.img("Customer4Back.png", 600, 625, 100, 140)
    # served, walking off to the left
    s.img("Customer6Front.png", 130, 440, 100, 140)
    s.img("ThoughtBubbleHappy.png", 230, 340, 110, 100)
    s.img("ThoughtBubbleAngry.png", 400, 425, 110, 100)


def cow_content(flavour):
    def draw(s):
        ux = UDDER_X[flavour]
        s.centred("Cow%d.png" % (flavour + 1), 600, 350)
        for k, y in enumerate((320, 420, 540, 640)):
            s.img("MilkDrop.png", ux + 20 + 17 * k, y, 10, 10)
        s.centred("Bucket%d.png" % (flavour + 1), ux + 50, 650, 0.25)
        s.img("ArrowLeft.png", 50, 300, 60, 60)
        s.img("ArrowRight.png", 1050, 300, 60, 60)
    return draw


def thermometer(s, x, y, level):
    # 20 px wide outline over the bucket's middle (the game draws this with rectangles)
    s.rect(x + 40, y + 10, 20, 80, "#ffffff", 0.8)
    s.rect(x + 40, y + 10 + 80 * (1 - level), 20, 80 * level, "#3aa0e0")
    s.raw('<rect x="%d" y="%d" width="20" height="80" fill="none" stroke="#000" stroke-width="2"/>' % (x + 40, y + 10))


def fridge_content(s):
    slots = [(300, 60), (525, 60), (300, 280), (525, 280), (300, 500), (525, 500)]
    for i, (x, y) in enumerate(slots[:5]):
        s.img("Bucket%d.png" % ([1, 3, 6, 8, 10][i]), x + 25, y + 25, 100, 100)
        thermometer(s, x + 25, y + 25, [0.9, 0.6, 0.3, 1.0, 0.75][i])
    s.img("Bucket3.png", 925, 125, 100, 100)
    s.img("Bucket6.png", 1075, 125, 100, 100)
    s.img("Bucket5.png", 100, 500, 100, 100)
    s.img("Bucket2.png", 960, 410, 100, 100)


def trees_content(s):
    trees = [(181, 200, 150, 300), (456, 300, 300, 150), (781, 250, 150, 300)]
    for k, (x, y, w, h) in enumerate(trees):
        s.img("Tree.png", x, y, w, h)
        spots = [(0.22, 0.15), (0.62, 0.12), (0.4, 0.38), (0.78, 0.42), (0.18, 0.48)]
        for j, (fx, fy) in enumerate(spots):
            cx, cy = x + w * fx, y + h * fy
            if j == 3:
                s.centred("SyrupBottle%d.png" % (k + 1), cx, cy + 20, 0.15)
            else:
                s.centred("Toppings%d.png" % (k + 1), cx + 20, cy + 20, 0.25)
    s.centred("Toppings1.png", 590, 520, 0.25)
    s.img("BucketIcon.png", 100, 500, 50, 50)
    s.img("BasketIcon.png", 550, 550, 100, 100)


def counter_content(s):
    for i, cx in enumerate((400, 600, 800)):
        if i == 1:
            continue
        s.centred("Cone%d.png" % (i + 1), cx, 400)
    # the chosen cone moved to the serving place with its scoop and toppings
    s.img("Cone2.png", 550, 388, 100, 200)
    s.img("Scoop3.png", 540, 320, 120, 100)
    for dx, dy in ((-20, 0), (14, -14), (24, 20)):
        s.centred("Toppings1.png", 600 + dx, 350 + dy, 0.25)
    s.img("Bucket3.png", 150, 400, 100, 100)
    s.centred("ToppingsShaker1.png", 900, 250, 0.5)
    s.centred("SyrupBottle2.png", 900, 550, 0.5)
    for bx, by in ((150, 400), (850, 200), (850, 500)):
        s.img("ArrowLeft.png", bx - 45, by + 30, 40, 40)
        s.img("ArrowRight.png", bx + 105, by + 30, 40, 40)
    s.centred("Syrup2.png", 905, 330, 0.25)


def main_menu(c, hover=True):
    s = c.Screen()
    s.img("MainMenuBackground.png", 0, 0, 1600, 900)
    s.img("PlayButtonHover.png" if hover else "PlayButton.png", 553 if hover else 550, 447 if hover else 450, 500, 150)
    s.img("TutorialButton.png", 650, 605, 300, 60)
    s.img("CreditsButton.png", 675, 685, 250, 70)
    s.img("QuitButton.png", 725, 780, 150, 50)
    s.img("TextBox.png", 100, 600, 400, 150)
    s.text(140, 620, "Highscore:", 26)
    s.img("CashSymbol.png", 280, 620, 30, 45)
    s.text(312, 620, "148.50", 26)
    s.text(140, 680, "Lastscore:", 26)
    s.img("CashSymbol.png", 280, 680, 30, 45)
    s.text(312, 680, "36.25", 26)
    s.img("TextBoxFilter.png", 100, 600, 400, 150)
    s.img("Logo.png", 600, 30, 400, 400, rotate=-4)
    s.img("Cursor.png", 760, 520, 30, 30)
    return s


def credits_page(c):
    s = c.Screen()
    s.img("MainMenuBackground.png", 0, 0, 1600, 900)
    s.img("BackButton.png", 675, 700, 250, 60)
    w, _ = c.size("Credits.png")
    s.img("Credits.png", 550, 300, 500, 300, src=(0, 0, w, 410))
    s.raw('<circle cx="1050" cy="300" r="10" fill="#ffffff"/>')
    return s


def tutorial_page(c):
    s = play_screen(c, 0, ("SceneBackground1.png", 0, 0, 1248, 810), truck_content, cursor=None)
    s.rect(0, 0, 1600, 900, "#000000", 100 / 255)
    s.img("TextBox.png", 100, 500, 1400, 350)
    for y, t in ((600, "The truck is where you will see and interact with your customers."),
                 (655, "Click the customer at the window to take their order,"),
                 (710, "then make it at the other stations and bring it back.")):
        s.text(800, y, t, 36, "#000000", "middle")
    s.img("TextBoxFilter.png", 100, 500, 1400, 350)
    s.img("Customer1Front.png", 200, 150, 250, 300)
    s.img("ArrowLeft.png", 1050, 250, 100, 100)
    s.img("Cursor.png", 420, 300, 60, 60)
    s.img("Cursor.png", 1120, 320, 60, 60)
    return s


def paused(c):
    s = play_screen(c, 2, ("SceneBackground3.png", 0, 0, 1248, 777.6), fridge_content, cursor=None)
    s.rect(0, 0, 1600, 900, "#000000", 170 / 255)
    s.img("Pause.png", 550, 250, 500, 200)
    s.img("BackButton.png", 675, 450, 250, 70)
    s.img("MenuButtonHover.png", 678, 547, 250, 70)
    s.img("Cursor.png", 800, 580, 30, 30)
    return s


def game_over(c):
    s = c.Screen()
    s.img("gameOverBackground.png", 0, 0, 1600, 900)
    s.img("TextBox.png", 700, 450, 400, 150)
    s.text(740, 470, "Highscore:", 26)
    s.img("CashSymbol.png", 880, 470, 30, 45)
    s.text(912, 470, "148.50", 26)
    s.text(740, 530, "Score:", 26)
    s.img("CashSymbol.png", 880, 530, 30, 45)
    s.text(912, 530, "36.25", 26)
    s.img("TextBoxFilter.png", 700, 450, 400, 150)
    s.img("MenuButton.png", 750, 700, 300, 100)
    return s


def compose_all(c):
    out = lambda n: os.path.join(c.DOCS, n + ".png")
    main_menu(c).save(out("main-menu"))
    credits_page(c).save(out("credits"))
    play_screen(c, 0, ("SceneBackground1.png", 0, 0, 1248, 810), truck_content).save(out("truck"))
    play_screen(c, 1, ("SceneBackground2.png", -50, -100, 1344, 874.8), cow_content(2),
                order=(2, [1], 0), cursor=(640, 300)).save(out("cow"))
    play_screen(c, 2, ("SceneBackground3.png", 0, 0, 1248, 777.6), fridge_content,
                order=(5, [3], 2), cursor=(380, 120)).save(out("fridge"))
    play_screen(c, 3, ("SceneBackground4.png", 0, 0, 1248, 810), trees_content,
                order=(7, [0, 5], 0), cursor=(600, 560)).save(out("trees"))
    play_screen(c, 4, ("SceneBackground5.png", 0, 0, 1440, 810), counter_content,
                order=(2, [0, 4], 1), cursor=(900, 560), counter=True).save(out("counter"))
    tutorial_page(c).save(out("tutorial"))
    paused(c).save(out("paused"))
    game_over(c).save(out("game-over"))
    # every cow in its meadow, to check the udders over the buckets
    sheet = c.Screen(1600, 420)
    for f in range(10):
        sub = play_screen(c, 1, ("SceneBackground2.png", -50, -100, 1344, 874.8), cow_content(f), cursor=None)
        x, y = (f % 5) * 320, (f // 5) * 210
        sheet.raw('<svg x="%d" y="%d" width="320" height="206" viewBox="0 0 1225 790" preserveAspectRatio="xMidYMin meet">%s</svg>'
                  % (x, y, "".join(sub.parts)))
    sheet.save(out("cows"))
