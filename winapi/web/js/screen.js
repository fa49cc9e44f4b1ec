// screen.js -- the canvas as the program's screen: the picture fills the
// browser window's limiting side, aspect kept, centred on black, with sharp
// pixels (see layout); each picture shown at the next animation frame; a
// double-click asks for full screen.
mergeInto(LibraryManager.library, {
  $FFXScreen__deps: ['$FFX'],
  $FFXScreen: {
    context: null,      // the page canvas's
    source: null,       // a canvas of the picture's size, when the page canvas is larger
    factor: 1,          // the page canvas's pixels per picture pixel, each way
    picture: 0,         // where the picture is in the module's memory
    image: null,        // the picture as the canvas takes it
    drawn: false,       // a picture has been presented, and is drawn again after a resize
    // The picture, seen afresh when the module's memory has grown.
    current: function() {
      var image = FFXScreen.image;
      if (image.data.buffer !== HEAPU8.buffer)
        image = FFXScreen.image = new ImageData(
          new Uint8ClampedArray(HEAPU8.buffer, FFXScreen.picture, image.width * image.height * 4),
          image.width, image.height);
      return image;
    },
    // Puts the picture on the page canvas, enlarged with nearest-neighbour
    // when the canvas is larger than the picture.
    draw: function() {
      var image = FFXScreen.current(), context = FFXScreen.context;
      if (FFXScreen.factor === 1) return context.putImageData(image, 0, 0);
      FFXScreen.source.getContext('2d').putImageData(image, 0, 0);
      context.imageSmoothingEnabled = false;
      context.drawImage(FFXScreen.source, 0, 0, context.canvas.width, context.canvas.height);
    },
    // Sizes and places the canvas in device pixels. The picture's box fills
    // the window's limiting side. At a whole scale the canvas holds the
    // picture and the browser enlarges it with nearest-neighbour
    // (pixelated). In between, the canvas holds the picture enlarged by the
    // next whole scale up, and the browser scales that down to the box
    // smoothly: each pixel stays a flat square and only the device pixels
    // on its edges blend, where plain smoothing would blur the picture and
    // nearest-neighbour make its pixels uneven. Smaller than the picture,
    // the browser scales it down smoothly.
    layout: function() {
      var canvas = FFX.canvas, ratio = devicePixelRatio || 1, image = FFXScreen.image;
      var screenW = Math.round(innerWidth * ratio), screenH = Math.round(innerHeight * ratio);
      var fit = Math.min(screenW / image.width, screenH / image.height);
      var w = Math.min(screenW, Math.round(image.width * fit));
      var h = Math.min(screenH, Math.round(image.height * fit));
      var whole = w % image.width === 0 && h % image.height === 0 && w / image.width === h / image.height;
      var factor = whole ? 1 : Math.max(1, Math.ceil(fit));
      if (factor !== FFXScreen.factor || canvas.width !== image.width * factor) {
        FFXScreen.factor = factor;
        canvas.width = image.width * factor; // clears the canvas
        canvas.height = image.height * factor;
        if (FFXScreen.drawn) FFXScreen.draw();
      }
      canvas.style.imageRendering = whole ? 'pixelated' : 'auto';
      canvas.style.width = w / ratio + 'px';
      canvas.style.height = h / ratio + 'px';
      canvas.style.left = Math.floor((screenW - w) / 2) / ratio + 'px';
      canvas.style.top = Math.floor((screenH - h) / 2) / ratio + 'px';
    },
    // Asks the browser for full screen; called from a user's gesture.
    fullScreen: function() {
      var page = document.documentElement;
      if (page.requestFullscreen) page.requestFullscreen().catch(function() {});
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
    if (!FFXScreen.context) {
      addEventListener('resize', FFXScreen.layout);
      canvas.addEventListener('dblclick', FFXScreen.fullScreen);
    }
    FFXScreen.context = context;
    FFXScreen.source = document.createElement('canvas');
    FFXScreen.source.width = width;
    FFXScreen.source.height = height;
    FFXScreen.factor = 0; // the layout sizes the canvas
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
        FFXScreen.drawn = true;
        FFXScreen.draw();
        wakeUp(1);
      }
      FFX.finishPresent = finish;
      requestAnimationFrame(finish);
    });
  },
});
