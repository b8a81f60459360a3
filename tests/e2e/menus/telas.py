"""Probes that tell the menu screens (and level play) apart by what only
their frames draw, whatever the pictures look like."""

WHITE = (255, 255, 255)
BAR = (30, 30, 30)
PANEL = (50, 50, 50)

PLAY = (400, 370)        # title screen's play button; level 7 on the first page
ARROW_NEXT = (424, 517)  # first page: to the second page
ARROW_BACK = (364, 517)  # second page: back to the first
NEW_GAME = (92, 557)
YES = (320, 350)
NO = (475, 350)
LEVEL_1 = (100, 140)
LEVEL_9 = (400, 250)
BONUS = (737, 547)

# The locked bonus level's message, with the newline the library's message
# box ends every text with.
BONUS_MESSAGE = ("Voc\xea precisa completar todos os outros n\xedveis para habilitar a fase "
                 "b\xf4nus !!! \n")


def on_title(shot):
    # The credit bar is drawn over the title picture in every frame.
    return all(shot.pixel(x, 590) == BAR for x in (0, 400, 799))


def in_level(shot):
    # The status panel is level play's own.
    return shot.pixel(700, 545) == PANEL and shot.pixel(40, 440) == (150, 150, 150)


def _framed(shot, corners):
    return all(shot.pixel(x, y) == WHITE for x, y in corners)


def on_first_page(g):
    """Hovers level 1 and looks for its white frame."""
    g.move(*LEVEL_1)
    return _framed(g.screenshot(), [(35, 70), (180, 70), (35, 215), (180, 215)])


def on_second_page(g):
    """Hovers level 9 and looks for its white frame."""
    g.move(*LEVEL_9)
    return _framed(g.screenshot(), [(275, 150), (530, 150), (275, 343), (530, 343)])


def on_new_game_box(g):
    # The divider's white line crosses the box from side to side.
    shot = g.screenshot()
    return all(shot.pixel(x, 310) == WHITE for x in (270, 530))


def wait_title(g):
    g.wait_for("the title screen", lambda: on_title(g.screenshot()))


def wait_first_page(g):
    g.wait_for("the first level-select page", lambda: on_first_page(g))


def wait_second_page(g):
    g.wait_for("the second level-select page", lambda: on_second_page(g))


def open_first_page(g, click=None):
    """From the title screen, its button clicked by `click` (g.click by default)."""
    wait_title(g)
    (click or g.click)(*PLAY)
    wait_first_page(g)


def open_second_page(g):
    open_first_page(g)
    g.click(*ARROW_NEXT)
    wait_second_page(g)


def enter_level(g, point=LEVEL_1, name="level 1", click=None):
    """From the title screen into the level whose button is at `point`."""
    open_first_page(g, click)
    (click or g.click)(*point)
    g.wait_for(name, lambda: in_level(g.screenshot()))


def quit_from_title(g, press=None):
    """Escape, pressed by `press` (g.tap by default), once the title screen
    shows; returns the game's Result."""
    wait_title(g)
    (press or g.tap)("Escape")
    return g.wait_exit()


def quit_from_first_page(g, press=None):
    """Escape from the first page, then quit_from_title."""
    (press or g.tap)("Escape")
    return quit_from_title(g, press)


def back_out_and_quit(g):
    """Escape from a screen above the first page (a level, the second page),
    then quit_from_first_page."""
    g.tap("Escape")
    wait_first_page(g)
    return quit_from_first_page(g)
