// text.js -- text in the browser's sans-serif font at about the height of
// the Windows system font: a string's box, and its antialiased coverage
// drawn white on a transparent canvas of that size.
mergeInto(LibraryManager.library, {
  $FFXText__deps: ['$FFX'],
  $FFXText: {
    font: '13px sans-serif',
    context: null,
    // The drawing context with the font set, or null without a page.
    get: function() {
      if (!FFXText.context && typeof document !== 'undefined')
        FFXText.context = document.createElement('canvas').getContext('2d', {willReadFrequently: true});
      if (FFXText.context) FFXText.context.font = FFXText.font;
      return FFXText.context;
    },
  },

  ffx_web_text_size__deps: ['$FFX', '$FFXText'],
  ffx_web_text_size: function(text, length, size) {
    var context = FFXText.get();
    if (!context) return 0;
    var m = context.measureText(FFX.latin1(text, length));
    HEAP32[size >> 2] = Math.ceil(m.width);
    HEAP32[(size >> 2) + 1] = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
    return 1;
  },

  ffx_web_text_coverage__deps: ['$FFX', '$FFXText'],
  ffx_web_text_coverage: function(text, length, alpha, width, height) {
    var context = FFXText.get();
    if (!context) return 0;
    context.canvas.width = width; // clears it, and the font with it
    context.canvas.height = height;
    context = FFXText.get();
    var s = FFX.latin1(text, length);
    context.fillStyle = '#fff';
    context.fillText(s, 0, context.measureText(s).fontBoundingBoxAscent);
    var rgba = context.getImageData(0, 0, width, height).data;
    for (var i = 0; i < width * height; ++i) HEAPU8[alpha + i] = rgba[i * 4 + 3];
    return 1;
  },
});
