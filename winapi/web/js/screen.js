// screen.js -- the canvas as the program's screen: shown centred on black at
// the largest integer scale that fits the browser window (scaled down to fit
// a smaller one), sharp pixels; each picture shown at the next animation
// frame; a double-click asks for full screen.
mergeInto(LibraryManager.library, {
  $FFXScreen__deps: ['$FFX'],
  $FFXScreen: {
    context: null,
    image: null,        // the picture in the canvas's byte order
    pixels: null,       // its pixels as 0xAABBGGRR words
    // Sizes and places the canvas in device pixels, so that a scale of 1 is
    // one canvas pixel per screen pixel on any display.
    layout: function() {
      var canvas = FFX.canvas, ratio = devicePixelRatio || 1;
      var fit = Math.min(innerWidth * ratio / canvas.width, innerHeight * ratio / canvas.height);
      var scale = fit >= 1 ? Math.floor(fit) : fit;
      var w = canvas.width * scale / ratio, h = canvas.height * scale / ratio;
      canvas.style.width = w + 'px';
      canvas.style.height = h + 'px';
      canvas.style.left = (innerWidth - w) / 2 + 'px';
      canvas.style.top = (innerHeight - h) / 2 + 'px';
    },
  },

  ffx_web_show_canvas__deps: ['$FFX', '$FFXInput'],
  ffx_web_show_canvas: function(shown) {
    FFX.page().hidden = !shown;
    FFX.shown = !!shown;
    FFXInput.update();
  },

  ffx_web_show_pointer__deps: ['$FFX'],
  ffx_web_show_pointer: function(shown) {
    FFX.page().style.cursor = shown ? '' : 'none';
  },

  ffx_web_display_size__deps: ['$FFX'],
  ffx_web_display_size: function(size) {
    if (!FFX.page()) return 0;
    var ratio = devicePixelRatio || 1;
    HEAP32[size >> 2] = Math.round(screen.width * ratio);
    HEAP32[(size >> 2) + 1] = Math.round(screen.height * ratio);
    return 1;
  },

  ffx_web_open_screen__deps: ['$FFX', '$FFXScreen'],
  ffx_web_open_screen: function(width, height) {
    var canvas = FFX.page();
    var context = canvas && canvas.getContext('2d', {alpha: false});
    if (!context) return 0;
    canvas.width = width;
    canvas.height = height;
    if (!FFXScreen.context) {
      addEventListener('resize', FFXScreen.layout);
      canvas.addEventListener('dblclick', function() {
        var page = document.documentElement;
        if (page.requestFullscreen) page.requestFullscreen().catch(function() {});
      });
    }
    FFXScreen.context = context;
    FFXScreen.image = context.createImageData(width, height);
    FFXScreen.pixels = new Uint32Array(FFXScreen.image.data.buffer);
    FFXScreen.layout();
    return 1;
  },

  ffx_web_present__deps: ['$FFX', '$FFXScreen'],
  ffx_web_present: function(pixels, pitch) {
    return Asyncify.handleSleep(function(wakeUp) {
      var image = FFXScreen.image;
      if (!image) return wakeUp(0);
      // 0x00RRGGBB words in, opaque RGBA bytes out.
      var out = FFXScreen.pixels, w = image.width, h = image.height;
      for (var y = 0; y < h; ++y) {
        var from = (pixels + y * pitch) >> 2, to = y * w;
        for (var x = 0; x < w; ++x) {
          var p = HEAPU32[from + x];
          out[to + x] = 0xFF000000 | (p & 0xFF) << 16 | p & 0xFF00 | (p >>> 16) & 0xFF;
        }
      }
      var done = false;
      function finish() {
        if (done) return;
        done = true;
        FFX.finishPresent = null;
        FFXScreen.context.putImageData(image, 0, 0);
        wakeUp(1);
      }
      FFX.finishPresent = finish;
      requestAnimationFrame(finish);
    });
  },
});
