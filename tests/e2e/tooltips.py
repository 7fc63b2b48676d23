"""Tool tips as a person sees them: the tip window the program shows after the pointer rests."""

from harness import E2EError, wait_until


def shown_tips(s):
    """Texts of the tool tips on the screen now."""
    app = s.app()
    return [n.name for n in s.atspi.walk(app)
            if n.role in ("tool tip", "tooltip") and n.showing and n.name]


def wait_tooltip(s, text, timeout=8):
    seen = {}

    def probe():
        seen["tips"] = shown_tips(s)
        return text in seen["tips"]
    try:
        wait_until(probe, timeout, f"the tool tip {text!r}", interval=0.2)
    except E2EError as e:
        raise E2EError(f"tool tip {text!r} not shown; tips seen: {seen.get('tips')}") from e
