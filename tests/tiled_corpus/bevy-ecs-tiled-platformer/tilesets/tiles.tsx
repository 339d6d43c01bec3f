<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.11.0" name="spritesheet_tiles" tilewidth="128" tileheight="128" tilecount="128" columns="8">
 <image source="../kenney_platformer-pack-redux/Spritesheets/spritesheet_tiles.png" width="1024" height="2048"/>
 <tile id="25">
  <animation>
   <frame tileid="25" duration="100"/>
   <frame tileid="33" duration="100"/>
  </animation>
 </tile>
</tileset>
