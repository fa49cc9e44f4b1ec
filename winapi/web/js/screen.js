// screen.js -- the canvas as the program's screen: shown centred on black at
// the largest integer scale that fits the browser window (scaled down to fit
// a smaller one), sharp pixels; each picture shown at the next animation
// frame; a double-click asks for full screen.
mergeInto(LibraryManager.library, {
  $FFXScreen__deps: ['$FFX'],
  $FFXScreen: {
    context: null,
    picture: 0,         // where the picture is in the module's memory
    image: null,        // the picture as the canvas takes it
    // The picture, seen afresh when the module's memory has grown.
    current: function() {
      var image = FFXScreen.image;
      if (image.data.buffer !== HEAPU8.buffer)
        image = FFXScreen.image = new ImageData(
          new Uint8ClampedArray(HEAPU8.buffer, FFXScreen.picture, image.width * image.height * 4),
          image.width, image.height);
      return image;
    },
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
  ffx_web_open_screen: function(picture, width, height) {
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
    FFXScreen.picture = picture;
    FFXScreen.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, picture, width * height * 4),
                                    width, height);
    FFXScreen.layout();
    return 1;
  },

  ffx_web_present__deps: ['$FFX', '$FFXScreen'],
  ffx_web_present: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      if (!FFXScreen.image) return wakeUp(0);
      var done = false;
      function finish() {
        if (done) return;
        done = true;
        FFX.finishPresent = null;
        FFXScreen.context.putImageData(FFXScreen.current(), 0, 0);
        wakeUp(1);
      }
      FFX.finishPresent = finish;
      requestAnimationFrame(finish);
    });
  },
});
