#!/usr/bin/env python3
"""The kitchen ticket of bench/TicketBench drawn with ReportLab's canvas API, for scripts/bench-peers.

A fair, minimal canvas program: the same texts, fonts (Liberation Sans, embedded as subsets), sizes, word
wrapping and rules as the ticket template, the page as long as its content; no layout engine. Each ticket
is measured in-process from its rows to the finished PDF in memory, as render-ticket --repeat measures
ours, and the median is printed as "median X ms per ticket over N runs".

    reportlab_ticket.py DATA.json RUNS REGULAR.ttf BOLD.ttf [OUT.pdf]
"""
import io
import json
import statistics
import sys
import time

from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

PX = 0.75                # points per report pixel (96 per inch)
MM = 72 / 25.4           # points per millimetre
WIDTH = 72 * MM          # the roll's width
LEFT = 1 * MM            # page margins of the template
TOP = 10 * MM
GAP = 2 * PX             # gap inside a memo
PITCH = {11: (11 / 72 * 96 + 2) * PX, 10: (10 / 72 * 96 + 2) * PX, 8: (8 / 72 * 96 + 2) * PX}


def wrap(text, font, size, width):
    """Greedy word wrapping with the canvas API's own measure."""
    lines = []
    for paragraph in str(text).split("\n"):
        line = ""
        for word in paragraph.split(" "):
            candidate = word if not line else line + " " + word
            if not line or pdfmetrics.stringWidth(candidate, font, size) <= width:
                line = candidate
            else:
                lines.append(line)
                line = word
        lines.append(line)
    return lines


def layout(data):
    """The ticket as (font, size, x, y, text, align) texts and (x1, y1, x2, y2) rules, y from the top."""
    master = data["repDS_OrdersMaster"][0]
    texts, rules = [], []
    y = TOP
    texts.append(("Sans-Bold", 11, LEFT + 45.35 * PX, y + 5.67 * PX, "Customer Order", 173.86 * PX))
    header = [
        "Order Kind: %s" % master["Order_Kind_Desc"],
        "Order Seq: %s" % master["Order_Seq"],
        "Order Date: %s" % master["Open_DateTime"],
        "Order Details: %s - %s" % (master["Order_Upper_Line"], master["Order_Downer_Line"]),
        "Waiter: %s" % master["Waiter_Name"],
    ]
    y += 37.8 * PX
    for line in header:
        texts.append(("Sans-Bold", 11, LEFT + 3.78 * PX + GAP, y, line, None))
        y += PITCH[11]
    for line in wrap("Order Notes: %s" % master["Master_Remarks"], "Sans", 10, 257 * PX - 2 * GAP):
        texts.append(("Sans", 10, LEFT + 3.78 * PX + GAP, y, line, None))
        y += PITCH[10]
    texts.append(("Sans", 10, LEFT + GAP, y, "Item Name", None))
    texts.append(("Sans", 10, LEFT + 219.21 * PX, y, "Qty", 45.35 * PX))
    y += 18.9 * PX
    rules.append((LEFT, y, LEFT + 264.57 * PX, y))
    for item in data["repDS_KitchenOrders"]:
        top = y
        names = wrap(item["Displayed_Name_PL"], "Sans", 11, 219.21 * PX - 2 * GAP)
        texts.append(("Sans", 11, LEFT + 219.21 * PX, y, str(item["QTY"]), 45.35 * PX))
        for line in names:
            texts.append(("Sans", 11, LEFT + GAP, y, line, None))
            y += PITCH[11]
        for field in ("Displayed_Name_SL", "Remarks"):
            if item.get(field):
                for line in wrap(item[field], "Sans", 11, 219.21 * PX - 2 * GAP):
                    texts.append(("Sans", 11, LEFT + GAP, y, line, None))
                    y += PITCH[11]
        y = max(y, top + 45.35 * PX)
        rules.append((LEFT, y, LEFT + 264.57 * PX, y))
    y += 18.9 * PX
    texts.append(("Sans", 8, LEFT + 3.78 * PX + GAP, y, "10/12/2026", None))
    texts.append(("Sans", 8, LEFT + 226.77 * PX, y, "19:07", -34.02 * PX))
    y += 22.7 * PX
    texts.append(("Sans", 8, LEFT + 41.57 * PX, y, "Merivale POS System", 181.42 * PX))
    return texts, rules, y + 20 * PX + TOP


def ticket(data):
    texts, rules, height = layout(data)
    out = io.BytesIO()
    c = canvas.Canvas(out, pagesize=(WIDTH, height))
    c.setTitle("rep_KitchenOrder.xml")
    c.setLineWidth(1 * PX)
    for x1, y1, x2, y2 in rules:
        c.line(x1, height - y1, x2, height - y2)
    for font, size, x, y, text, box in texts:
        c.setFont(font, size)
        baseline = height - y - GAP - size * 0.905  # the face's ascent
        if box is None:
            c.drawString(x, baseline, text)
        elif box < 0:
            c.drawRightString(x - box, baseline, text)
        else:
            c.drawCentredString(x + box / 2, baseline, text)
    c.showPage()
    c.save()
    return out.getvalue()


def main():
    data = json.load(open(sys.argv[1], encoding="utf-8"))
    runs = int(sys.argv[2])
    pdfmetrics.registerFont(TTFont("Sans", sys.argv[3]))
    pdfmetrics.registerFont(TTFont("Sans-Bold", sys.argv[4]))
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        document = ticket(data)
        times.append((time.perf_counter() - start) * 1000)
    if len(sys.argv) > 5:
        with open(sys.argv[5], "wb") as f:
            f.write(document)
    print("median %.3f ms per ticket over %d runs" % (statistics.median(times), runs))


if __name__ == "__main__":
    main()
