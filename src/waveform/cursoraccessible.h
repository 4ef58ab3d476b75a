#pragma once

class TWaveChartView;

// The chart's keyboard cursor as a screen reader meets it: an object of its own
// inside the chart, named by its reading ("Time 2.28 msec, Current 41.00 A").
// Each move makes a new one and gives it the focus, as a list gives the focus to
// its next row, so that a screen reader speaks every reading as the arrows move
// the cursor. (A changing name on the chart itself goes unspoken: the desktop's
// accessibility bridge does not pass the new name with its change event.)

// Makes the view's accessible object the one that holds the cursor. Call once
// its role is set: its own interface is then asked before the generic one.
void installCursorAccessibility(TWaveChartView* view);
// Tells a screen reader the cursor moved: a new cursor object takes the focus
// when the chart has it.
void tellCursorMoved(TWaveChartView* view);
