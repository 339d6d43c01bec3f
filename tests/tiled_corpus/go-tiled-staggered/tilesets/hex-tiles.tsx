<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.1" name="hex-tiles" tilewidth="32" tileheight="48" tilecount="6" columns="3">
 <image source="hex-tiles.png" width="96" height="96"/>
</tileset>
